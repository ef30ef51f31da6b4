import QtQuick 2.12
import QtTest 1.2
import "settle.js" as Queued
import Orvane 1.0
import Orvane.impl 1.0 as Impl
import Orvane.Private 1.0 as ORV

TestCase {
    id: testCase
    name: "ActionSource"

    readonly property string testAction: Qt.resolvedUrl("actions/TestAction.qml")

    Component { id: actionSource; ActionSource {} }
    SignalSpy { id: boxes; target: ORV.Core.system; signalName: "messageBoxRequested" }

    function make(options, data) { return createTemporaryObject(actionSource, testCase, { configuration: { source: testAction, options: options, data: data } }) }

    function init() { LauncherCompositor.visible = true; boxes.clear(); ORV.NativeCore.overrideKeyboardModifiers(-1) }

    function test_loading() {
        var src = make(6, { label: "First" })
        compare([src.title, src.text, src.enabled], ["Test action", "First", true])
        src.configuration = null
        compare([src.action, src.enabled], [Impl.DefaultAction, false])
    }

    function test_launcher_data() {
        // [options, external, Control held, hidden]
        return [[0, true, false, true], [0, false, false, false], [undefined, true, false, true],
                [2, true, false, false], [4, false, false, true], [6, false, false, true],
                [0, true, true, false], [4, false, true, false]].map(function (r) {
            return { tag: r.join(" "), options: r[0], external: r[1], control: r[2], hidden: r[3] }
        })
    }

    function test_launcher(data) {
        var src = make(data.options, { external: data.external })
        ORV.NativeCore.overrideKeyboardModifiers(data.control ? Qt.ControlModifier | Qt.ShiftModifier : Qt.ShiftModifier)
        src.trigger(testCase)
        // The options at the run's start count, not a reconfiguration while it runs.
        src.configuration = { source: testAction, options: data.options ^ 6, data: {} }
        Queued.settle(testCase)
        compare([src.action.runs, LauncherCompositor.visible], [1, !data.hidden])
    }

    function test_confirmation_data() {
        // [tag, system action, accepted, options]
        return [["plain", false, true, 1], ["refused", false, false, 1], ["system", true, true, 1], ["and close", false, true, 5]]
            .map(function (r) { return { tag: r[0], system: r[1], accept: r[2], options: r[3], hidden: r[3] === 5 } })
    }

    function test_confirmation(data) {
        var src = make(data.options, { label: "Label", system: data.system })
        src.text = "Own text"
        src.trigger()
        var options = boxes.signalArguments[0][0]
        compare([options.title, options.modal], [data.system ? "Alert" : undefined, true])
        compare(options.text, "Are you sure to execute this action?\n「" + (data.system ? "Label" : "Own text") + "」")
        compare(src.action.runs, 0)
        data.accept ? ORV.Core.system.currentMessageBox.accept() : ORV.Core.system.currentMessageBox.reject()
        if (data.accept)
            tryCompare(src.action, "runs", 1) // then the action's own answer is queued
        Queued.settle(testCase)
        compare([src.action.runs, LauncherCompositor.visible], [data.accept ? 1 : 0, !data.hidden])
    }

    function test_failure() {
        var warnings = ORV.Core.system.warnings
        var src = make(4, { fail: true })
        ignoreWarning(testAction + ":12: Error: action failed")
        src.trigger()
        tryCompare(ORV.Core.system, "warnings", warnings + 1)
        verify(LauncherCompositor.visible)
    }
}

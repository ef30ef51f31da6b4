import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.impl 1.0 as Impl
import Orvane.Private 1.0 as ORV

TestCase {
    id: testCase
    name: "ActionSource"

    readonly property string testAction: Qt.resolvedUrl("actions/TestAction.qml")

    Component { id: actionSource; ActionSource {} }
    SignalSpy { id: launcher; target: LauncherCompositor; signalName: "visibleChanged" }
    SignalSpy { id: executed; target: ORV.NativeCore; signalName: "executeRequested" }
    SignalSpy { id: boxes; target: ORV.Core.system; signalName: "messageBoxRequested" }

    function make(options, data) {
        return actionSource.createObject(testCase, { configuration: { source: testAction, options: options, data: data } })
    }

    function init() {
        LauncherCompositor.visible = true
        ;[launcher, executed, boxes].forEach(function (spy) { spy.clear() })
        ORV.NativeCore.overrideKeyboardModifiers(-1)
    }

    function test_loading() {
        var src = actionSource.createObject(testCase)
        compare([src.action, src.enabled, src.title, src.text, src.status], [Impl.DefaultAction, false, "<N/A>", "", 0])
        src.configuration = { source: testAction, options: 6, data: { label: "First" } }
        compare([src.title, src.description, src.text, src.shortcut, src.enabled, src.status],
                ["Test action", "Counts its runs", "First", "Ctrl+T", true, 1])
        compare([src.$ActionSourceData.options, src.action.configuration.label], [6, "First"])
        src.configuration = { source: testAction, data: { label: "Second" } }
        compare([src.$ActionSourceData.options, src.text], [undefined, "Second"])
        src.configuration = null
        compare([src.$ActionSourceData.source, src.action], ["", Impl.DefaultAction])
        compare([ActionSource.ConfirmBeforeAction, ActionSource.KeepLauncherAfterAction, ActionSource.CloseLauncherAfterAction], [1, 2, 4])
    }

    function test_launcher_data() {
        // [options, external, Control held, hidden]
        return [[0, true, false, true], [0, false, false, false], [undefined, true, false, true],
                [2, true, false, false], [4, false, false, true], [4, true, false, true], [6, false, false, true],
                [0, true, true, false], [4, false, true, false]].map(function (r) {
            return { tag: r.join(" "), options: r[0], external: r[1], control: r[2], hidden: r[3] }
        })
    }

    function test_launcher(data) {
        var src = make(data.options, { external: data.external })
        ORV.NativeCore.overrideKeyboardModifiers(data.control ? Qt.ControlModifier | Qt.ShiftModifier : Qt.ShiftModifier)
        src.trigger(testCase)
        // The options of the run's start count, not a reconfiguration while it runs.
        src.configuration = { source: testAction, options: data.options ^ 6, data: {} }
        wait(20)
        compare(src.action.runs, 1)
        compare(LauncherCompositor.visible, !data.hidden)
        compare(launcher.count, data.hidden ? 1 : 0)
        src.destroy()
    }

    function test_confirmation_data() {
        return [{ tag: "plain", system: false, accept: true, options: 1, hidden: false },
                { tag: "refused", system: false, accept: false, options: 1, hidden: false },
                { tag: "system", system: true, accept: true, options: 1, hidden: false },
                { tag: "and close", system: false, accept: true, options: 5, hidden: true }]
    }

    function test_confirmation(data) {
        var src = make(data.options, { label: "Label", system: data.system })
        src.text = "Own text" // tells the ActionSource's text from the action's label
        src.trigger()
        var options = boxes.signalArguments[0][0]
        compare([options.title, options.modal], [data.system ? "Alert" : undefined, true])
        compare(options.text, "Are you sure to execute this action?\n「" + (data.system ? "Label" : "Own text") + "」")
        var box = ORV.Core.system.currentMessageBox
        compare([box.text, box.modal, src.action.runs], [options.text, true, 0])
        data.accept ? box.accept() : box.reject()
        wait(20)
        compare([src.action.runs, LauncherCompositor.visible], [data.accept ? 1 : 0, !data.hidden])
        src.destroy()
    }

    function test_failures() {
        var warnings = ORV.Core.system.warnings
        var src = make(4, { fail: true })
        ignoreWarning(testAction + ":17: Error: action failed")
        src.trigger()
        tryCompare(ORV.Core.system, "warnings", warnings + 1)
        verify(LauncherCompositor.visible)

        // The host's "run" action starts the program through the core.
        src.configuration = { source: "run", data: { path: "/bin/true", param: "a b" } }
        compare(src.text, "/bin/true")
        src.trigger()
        tryCompare(LauncherCompositor, "visible", false)
        compare(Array.prototype.slice.call(executed.signalArguments[0], 0, 2), ["/bin/true", "a b"])
        LauncherCompositor.visible = true
        ignoreWarning(/run\.qml:\d+: Error: cannot run \/no\/such\/program$/)
        src.configuration = { source: "run", data: { path: "/no/such/program" } }
        src.trigger()
        tryCompare(ORV.Core.system, "warnings", warnings + 2)
        verify(LauncherCompositor.visible)
        src.destroy()
    }
}

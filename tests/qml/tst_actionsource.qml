import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.impl 1.0 as Impl
import Orvane.Private 1.0 as ORV

TestCase {
    id: testCase
    name: "ActionSource"

    readonly property string testAction: Qt.resolvedUrl("actions/TestAction.qml")

    Component { id: sourceComponent; ActionSource {} }
    SignalSpy { id: launcherChanges; target: LauncherCompositor; signalName: "visibleChanged" }
    SignalSpy { id: executed; target: ORV.NativeCore; signalName: "executeRequested" }
    SignalSpy { id: boxes; target: ORV.Core.system; signalName: "messageBoxRequested" }

    function make(options, data) {
        var config = { source: testAction, data: data ? data : {} }
        if (options !== undefined)
            config.options = options
        return sourceComponent.createObject(testCase, { configuration: config })
    }

    // Runs the action once and waits for the host to have answered it.
    function run(src) {
        var before = src.action.runs
        src.trigger(testCase)
        tryCompare(src.action, "runs", before + 1)
        wait(20)
    }

    function init() {
        LauncherCompositor.visible = true
        launcherChanges.clear()
        executed.clear()
        boxes.clear()
        ORV.NativeCore.overrideKeyboardModifiers(-1)
    }

    function cleanup() {
        ORV.NativeCore.overrideKeyboardModifiers(-1)
        var box = ORV.Core.system.currentMessageBox
        if (box)
            box.reject()
    }

    function test_options() {
        compare(ActionSource.ConfirmBeforeAction, 1)
        compare(ActionSource.KeepLauncherAfterAction, 2)
        compare(ActionSource.CloseLauncherAfterAction, 4)
    }

    function test_placeholder() {
        var src = sourceComponent.createObject(testCase)
        compare(src.action, Impl.DefaultAction)
        verify(!src.enabled)
        compare(src.title, "<N/A>")
        compare(src.text, "")
        compare(src.configuration, undefined)
        compare(src.status, 0)
        src.configuration = { source: "" }
        compare(src.action, Impl.DefaultAction)
        src.destroy()
    }

    function test_loading() {
        var src = make(6, { label: "First", external: true })
        compare(src.action.title, "Test action")
        compare(src.title, "Test action")
        compare(src.description, "Counts its runs")
        compare(src.text, "First")
        compare(src.shortcut, "Ctrl+T")
        verify(src.enabled)
        compare(src.status, 1)
        var d = src.$ActionSourceData
        compare(d.status, src.status)
        compare(d.options, 6)
        compare(d.configuration.label, "First")
        compare(src.action.configuration.label, "First")
        src.configuration = { source: testAction, data: { label: "Second" } }
        compare(d.options, undefined)
        compare(src.text, "Second")
        src.configuration = null
        compare(d.source, "")
        compare(src.action, Impl.DefaultAction)
        src.destroy()
    }

    function test_launcher_data() {
        return [
            { tag: "0 external", options: 0, external: true, control: false, hidden: true },
            { tag: "0 internal", options: 0, external: false, control: false, hidden: false },
            { tag: "none external", options: undefined, external: true, control: false, hidden: true },
            { tag: "2 external", options: 2, external: true, control: false, hidden: false },
            { tag: "2 internal", options: 2, external: false, control: false, hidden: false },
            { tag: "4 internal", options: 4, external: false, control: false, hidden: true },
            { tag: "4 external", options: 4, external: true, control: false, hidden: true },
            { tag: "6 internal", options: 6, external: false, control: false, hidden: true },
            { tag: "0 external control", options: 0, external: true, control: true, hidden: false },
            { tag: "4 internal control", options: 4, external: false, control: true, hidden: false },
        ]
    }

    function test_launcher(data) {
        var src = make(data.options, { external: data.external })
        if (data.control)
            ORV.NativeCore.overrideKeyboardModifiers(Qt.ControlModifier | Qt.ShiftModifier)
        run(src)
        compare(src.action.lastSource, testCase)
        compare(LauncherCompositor.visible, !data.hidden)
        compare(launcherChanges.count, data.hidden ? 1 : 0)
        src.destroy()
    }

    // The options in force when the run started decide, not a later reconfiguration.
    function test_optionsCaptured() {
        ORV.NativeCore.overrideKeyboardModifiers(Qt.ShiftModifier)
        var src = make(4, { external: false })
        var action = src.action
        src.trigger()
        src.configuration = { source: testAction, options: 2, data: {} }
        tryCompare(LauncherCompositor, "visible", false)
        compare(action.runs, 1)
        src.destroy()
    }

    function test_confirmation_data() {
        return [
            { tag: "plain accepted", system: false, accept: true, options: 1, title: undefined, hidden: false },
            { tag: "plain refused", system: false, accept: false, options: 1, title: undefined, hidden: false },
            { tag: "system accepted", system: true, accept: true, options: 1, title: "Alert", hidden: false },
            { tag: "confirm and close", system: false, accept: true, options: 5, title: undefined, hidden: true },
        ]
    }

    function test_confirmation(data) {
        var src = make(data.options, { label: "Label", system: data.system, external: false })
        // Only the ActionSource's own text tells a plain action apart from a system one.
        src.text = "Own text"
        src.trigger()
        compare(boxes.count, 1)
        var options = boxes.signalArguments[0][0]
        compare(options.title, data.title)
        compare(options.text, "Are you sure to execute this action?\n「"
                + (data.system ? "Label" : "Own text") + "」")
        compare(options.modal, true)
        var box = ORV.Core.system.currentMessageBox
        verify(box !== null)
        compare(box.text, options.text)
        verify(box.modal)
        wait(20)
        compare(src.action.runs, 0)
        if (data.accept) {
            box.accept()
            tryCompare(src.action, "runs", 1)
        } else {
            box.reject()
            wait(20)
            compare(src.action.runs, 0)
        }
        wait(20)
        compare(LauncherCompositor.visible, !data.hidden)
        src.destroy()
    }

    function test_failure() {
        var warnings = ORV.Core.system.warnings
        var src = make(4, { fail: true })
        ignoreWarning(testAction + ":19: Error: action failed")
        run(src)
        compare(ORV.Core.system.warnings, warnings + 1)
        verify(LauncherCompositor.visible)
        src.destroy()
    }

    // The host's own "run" action starts a program through the core.
    function test_runProvider() {
        var src = sourceComponent.createObject(testCase, { configuration: {
            source: "run", options: 0, data: { path: "/bin/true", param: "a b" } } })
        tryCompare(src, "status", 1)
        compare(src.text, "/bin/true")
        src.trigger()
        tryCompare(LauncherCompositor, "visible", false)
        compare(executed.count, 1)
        compare(executed.signalArguments[0][0], "/bin/true")
        compare(executed.signalArguments[0][1], "a b")

        var warnings = ORV.Core.system.warnings
        LauncherCompositor.visible = true
        ignoreWarning(/run\.qml:\d+: Error: cannot run \/no\/such\/program$/)
        src.configuration = { source: "run", data: { path: "/no/such/program" } }
        src.trigger()
        tryCompare(ORV.Core.system, "warnings", warnings + 1)
        verify(LauncherCompositor.visible)
        src.destroy()
    }
}

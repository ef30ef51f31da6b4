pragma Singleton
import QtQml 2.12

// A host that only records: every call lands in `calls` as { name, args } and
// answers with `results[name]`.
QtObject {
    id: core

    property var calls: []
    property var results: ({})

    function record(name, args) {
        calls.push({ name: name, args: Array.prototype.slice.call(args) })
        return results[name]
    }
    function reset() {
        calls = []
        results = {}
        system = services
    }

    readonly property QtObject services: QtObject {
        function messageBox(options) { return core.record("system.messageBox", arguments) }
        function addNotification(object) { return core.record("system.addNotification", arguments) }
        function removeNotification(object) { return core.record("system.removeNotification", arguments) }
        function showLauncherEditor() { return core.record("system.showLauncherEditor", arguments) }
        function showWidgetGellary() { return core.record("system.showWidgetGellary", arguments) }
        function showWorkshop() { return core.record("system.showWorkshop", arguments) }
        function openFile(url, option) { return core.record("system.openFile", arguments) }
        function openLink(url, option) { return core.record("system.openLink", arguments) }
        function exit() { return core.record("system.exit", arguments) }
        function warning() { return core.record("system.warning", arguments) }
    }
    property QtObject system: services

    function keyboardModifiers() { return record("keyboardModifiers", arguments) }
    function showPreferences() { return record("showPreferences", arguments) }
    function execute(path, param, cwd, verb) { return record("execute", arguments) }
    function command(cmd, cwd) { return record("command", arguments) }
    function restartOnExit() { return record("restartOnExit", arguments) }
}

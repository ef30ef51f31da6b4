pragma Singleton
import QtQml 2.12

// A host that only records: each call lands in `calls` as [name, arguments...] and
// answers `results[name]`; `system` answers any member the same way.
QtObject {
    id: core

    property var calls: []
    property var results: ({})
    property var system

    function record(name, args) {
        calls.push([name].concat(Array.prototype.slice.call(args)))
        return results[name]
    }
    function reset() {
        calls = []
        results = {}
        system = new Proxy({}, { get: function (target, member) {
            return function () { return core.record("system." + member, arguments) }
        } })
    }

    function keyboardModifiers() { return record("keyboardModifiers", arguments) }
    function showPreferences() { return record("showPreferences", arguments) }
    function execute(path, param, cwd, verb) { return record("execute", arguments) }
    function command(cmd, cwd) { return record("command", arguments) }
    function restartOnExit() { return record("restartOnExit", arguments) }
}

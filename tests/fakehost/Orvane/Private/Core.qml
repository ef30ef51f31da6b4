pragma Singleton
import QtQml 2.12

// Records each call as [name, arguments...] and answers `answer`; `system` takes any member.
QtObject {
    id: core
    property var calls: []
    property var answer
    property var system
    function record(name, args) { calls.push([name].concat(Array.prototype.slice.call(args))); return answer }
    function reset() {
        calls = []
        system = new Proxy({}, { get: function (t, member) {
            return function () { return core.record("system." + member, arguments) } } })
    }
    function execute(path, param, cwd, verb) { return record("execute", arguments) }
    function command(cmd, cwd) { return record("command", arguments) }
}

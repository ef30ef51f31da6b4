import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.Private 1.0 as Host

// SystemCall against a recording host; run with this directory first in the import path.
TestCase {
    name: "SystemCallTranslation"

    function init() { Host.Core.reset() }

    function test_translation_data() {
        var box = {}
        return [["messageBox", [box], ["system.messageBox", box]],
                ["openFile", ["file:///a", 33], ["system.openFile", "file:///a", 33]],
                ["openFolder", ["file:///a%20b", 16], ["execute", "/a b", "", "", ""]],
                ["openFolder", ["https://x/y"], ["execute", "", "", "", ""]],
                ["execute", ["/p", null, undefined, null], ["execute", "/p", "", "", ""]],
                ["execute", ["/p", 0, false, ""], ["execute", "/p", 0, false, ""]],
                ["command", ["ls", null], ["command", "ls", ""]],
                ["command", ["ls", 0], ["command", "ls", 0]],
                ["exit", [], ["system.exit"]]
        ].map(function (r, i) { return { tag: i + " " + r[0], name: r[0], args: r[1], host: r[2] } })
    }

    function test_translation(data) {
        [{ answer: 1 }, 0, undefined].forEach(function (answer) {
            Host.Core.reset()
            Host.Core.answer = answer
            var result = SystemCall[data.name].apply(SystemCall, data.args)
            if (data.name === "openFolder")
                compare(result, answer ? SystemCall.OpenExternal : SystemCall.OpenFailed)
            else if (data.name !== "exit")
                verify(result === answer, "returned " + result)
            compare(Host.Core.calls, [data.host])
        })
    }

    function test_withoutSystem() {
        Host.Core.system = null
        compare([SystemCall.customizeLauncher(), SystemCall.manageWidgets(), SystemCall.openWorkshop()], [false, false, false])
    }

    function test_messageBoxNeedsObject() {
        ["text", 3, undefined, null, true].forEach(function (value) {
            try { SystemCall.messageBox(value); fail(String(value)) } catch (e) { verify(e instanceof TypeError, String(value)) }
        })
        compare(Host.Core.calls.length, 0)
    }

    function test_playSound() {
        [[{}, 1], [{ sfx_on: true }, 1], [{ sfx_on: false }, 0], [{ sfx_on: 0 }, 1], [{ sfx_on: null }, 1]].forEach(function (c) {
            Host.CFG.audio = c[0]
            var sound = { played: 0, play: function () { ++this.played } }
            compare([SystemCall.playSound(sound), sound.played], [!!c[1], c[1]], JSON.stringify(c[0]))
        })
    }
}

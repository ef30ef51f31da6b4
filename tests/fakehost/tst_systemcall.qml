import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.Private 1.0 as Host

// SystemCall against a host that records every call; run with this directory first
// in the import path.
TestCase {
    name: "SystemCallTranslation"

    function init() { Host.Core.reset() }

    // Calls SystemCall[name](args...) with the host answering `answer`; returns [result, calls].
    function call(name, args, answer, hostCall) {
        Host.Core.reset()
        Host.Core.results[hostCall] = answer
        return [SystemCall[name].apply(SystemCall, args), Host.Core.calls]
    }

    function test_translation_data() {
        var menu = {}, sentinel = { promise: true }
        // [function, arguments, host call, what SystemCall returns (host: the host's answer), host arguments]
        return [["popupMenu", [menu], "PopupMenu", "host", [menu]],
                ["popupDialog", [menu], "PopupDialog", "host", [menu]],
                ["messageBox", [menu], "system.messageBox", "host", [menu]],
                ["customizeLauncher", [], "system.showLauncherEditor", true, []],
                ["manageWidgets", [], "system.showWidgetGellary", true, []],
                ["openWorkshop", [], "system.showWorkshop", "host", []],
                ["showPreferences", [], "showPreferences", "host", []],
                ["openFile", ["file:///a", 33], "system.openFile", "host", ["file:///a", 33]],
                ["openLink", ["https://x", 16], "system.openLink", "host", ["https://x", 16]],
                ["openFolder", ["file:///a%20b", 16], "execute", SystemCall.OpenExternal, ["/a b", "", "", ""]],
                ["openFolder", ["https://x/y"], "execute", SystemCall.OpenExternal, ["", "", "", ""]],
                ["execute", ["/p"], "execute", "host", ["/p", "", "", ""]],
                ["execute", ["/p", null, undefined, null], "execute", "host", ["/p", "", "", ""]],
                ["execute", ["/p", 0, false, ""], "execute", "host", ["/p", 0, false, ""]],
                ["command", ["ls"], "command", "host", ["ls", ""]],
                ["command", ["ls", null], "command", "host", ["ls", ""]],
                ["command", ["ls", 0], "command", "host", ["ls", 0]],
                ["exit", [], "system.exit", true, []],
        ].map(function (r, i) { return { tag: i + " " + r[0], name: r[0], args: r[1], host: r[2], returns: r[3], hostArgs: r[4] } })
    }

    function test_translation(data) {
        var answers = [{ answer: 1 }, "yes", 0, undefined]
        for (var i = 0; i < answers.length; ++i) {
            var got = call(data.name, data.args, answers[i], data.host)
            var expected = data.returns === "host" ? answers[i] : data.returns
            if (data.name === "openFolder")
                expected = answers[i] ? SystemCall.OpenExternal : SystemCall.OpenFailed
            verify(got[0] === expected, "returned " + got[0])
            compare(got[1].length, 1)
            compare(got[1][0][0], data.host)
            for (var a = 0; a < data.hostArgs.length; ++a)
                verify(got[1][0][a + 1] === data.hostArgs[a], a + ": " + got[1][0][a + 1])
            compare(got[1][0].length, data.hostArgs.length + 1)
        }
    }

    function test_withoutSystem() {
        Host.Core.system = null
        compare([SystemCall.customizeLauncher(), SystemCall.manageWidgets(), SystemCall.openWorkshop()], [false, false, false])
        compare(Host.Core.calls.length, 0)
    }

    function test_messageBoxPrimitives() {
        var primitives = ["text", 3, undefined, null, true]
        for (var i = 0; i < primitives.length; ++i) {
            var thrown = null
            try { SystemCall.messageBox(primitives[i]) } catch (e) { thrown = e }
            verify(thrown instanceof TypeError && thrown.message === "", String(primitives[i]))
        }
        compare(Host.Core.calls.length, 0)
    }

    function test_launcherAndRestart() {
        LauncherCompositor.visible = false
        compare([SystemCall.showLauncher(), LauncherCompositor.visible, SystemCall.hideLauncher(), LauncherCompositor.visible,
                 SystemCall.toggleLauncher(), LauncherCompositor.visible, SystemCall.toggleLauncher(), LauncherCompositor.visible],
                [true, true, true, false, true, true, true, false])
        compare(SystemCall.restart(), true)
        compare(Host.Core.calls, [["restartOnExit"], ["system.exit"]])
        compare([SystemCall.OpenFailed, SystemCall.OpenInternal, SystemCall.OpenExternal, SystemCall.OpenFileElevated,
                 SystemCall.OpenPreferInternal, SystemCall.OpenExternalOnly], [0, 1, 2, 1, 16, 32])
    }

    function test_playSound() {
        // Only a switch that is strictly false silences.
        var cases = [[{}, true], [{ sfx_on: undefined }, true], [{ sfx_on: true }, true], [{ sfx_on: false }, false],
                     [{ sfx_on: 0 }, true], [{ sfx_on: null }, true]]
        for (var i = 0; i < cases.length; ++i) {
            Host.CFG.audio = cases[i][0]
            var sound = { played: 0, play: function () { ++this.played } }
            compare([SystemCall.playSound(sound), sound.played], [cases[i][1], cases[i][1] ? 1 : 0], JSON.stringify(cases[i][0]))
        }
    }
}

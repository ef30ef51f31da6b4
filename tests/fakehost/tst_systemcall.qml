import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.Private 1.0 as Host

// SystemCall against a host that records every call (run with this directory first
// in the import path).
TestCase {
    name: "SystemCallTranslation"

    function init() {
        Host.Core.reset()
        Host.CFG.audio = {}
    }

    function onlyCall() {
        compare(Host.Core.calls.length, 1, JSON.stringify(Host.Core.calls))
        return Host.Core.calls[0]
    }

    function test_popups() {
        var menu = { kind: "menu" }
        Host.Core.results["PopupMenu.open"] = "menu result"
        compare(SystemCall.popupMenu(menu), "menu result")
        var call = onlyCall()
        compare(call.name, "PopupMenu.open")
        compare(call.args.length, 1)
        verify(call.args[0] === menu)

        Host.Core.reset()
        var dialog = { kind: "dialog" }
        Host.Core.results["PopupDialog.open"] = 7
        compare(SystemCall.popupDialog(dialog), 7)
        call = onlyCall()
        compare(call.name, "PopupDialog.open")
        verify(call.args[0] === dialog)
    }

    function test_messageBox() {
        var promise = { then: function () {} }
        Host.Core.results["system.messageBox"] = promise
        var options = { text: "hello" }
        verify(SystemCall.messageBox(options) === promise)
        var call = onlyCall()
        compare(call.name, "system.messageBox")
        verify(call.args[0] === options)
        compare(call.args.length, 1)

        var primitives = ["text", 3, undefined, null, true]
        for (var i = 0; i < primitives.length; ++i) {
            var thrown = null
            try {
                SystemCall.messageBox(primitives[i])
            } catch (e) {
                thrown = e
            }
            verify(thrown instanceof TypeError, String(primitives[i]))
            compare(thrown.message, "")
        }
        compare(Host.Core.calls.length, 1)
        // Arrays and functions are objects too.
        SystemCall.messageBox([])
        compare(Host.Core.calls.length, 2)
    }

    function test_launcher() {
        LauncherCompositor.visible = false
        compare(SystemCall.showLauncher(), true)
        compare(LauncherCompositor.visible, true)
        compare(SystemCall.hideLauncher(), true)
        compare(LauncherCompositor.visible, false)
        compare(SystemCall.toggleLauncher(), true)
        compare(LauncherCompositor.visible, true)
        compare(SystemCall.toggleLauncher(), true)
        compare(LauncherCompositor.visible, false)
        compare(Host.Core.calls.length, 0)
    }

    function test_optionalServices_data() {
        return [
            { tag: "customizeLauncher", call: "system.showLauncherEditor", fixed: true },
            { tag: "manageWidgets", call: "system.showWidgetGellary", fixed: true },
            { tag: "openWorkshop", call: "system.showWorkshop", fixed: false },
        ]
    }

    function test_optionalServices(data) {
        Host.Core.results[data.call] = "host answer"
        compare(SystemCall[data.tag](), data.fixed ? true : "host answer")
        var call = onlyCall()
        compare(call.name, data.call)
        compare(call.args.length, 0)

        Host.Core.reset()
        Host.Core.system = null
        compare(SystemCall[data.tag](), false)
        compare(Host.Core.calls.length, 0)
    }

    function test_hostResults_data() {
        return [
            { tag: "showPreferences", call: "showPreferences", args: [] },
            { tag: "openFile", call: "system.openFile", args: ["file:///tmp/x", 0x21] },
            { tag: "openLink", call: "system.openLink", args: ["https://example.com", 0x10] },
            { tag: "command", call: "command", args: ["echo hi", "/tmp"] },
            { tag: "execute", call: "execute", args: ["/bin/true", "a", "/tmp", "open"] },
        ]
    }

    function test_hostResults(data) {
        var answers = [0, 2, "text", undefined]
        for (var i = 0; i < answers.length; ++i) {
            Host.Core.reset()
            Host.Core.results[data.call] = answers[i]
            compare(SystemCall[data.tag].apply(SystemCall, data.args), answers[i])
            var call = onlyCall()
            compare(call.name, data.call)
            compare(call.args, data.args)
        }
    }

    function test_optionFlags() {
        compare(SystemCall.OpenFailed, 0)
        compare(SystemCall.OpenInternal, 1)
        compare(SystemCall.OpenExternal, 2)
        compare(SystemCall.OpenFileElevated, 1)
        compare(SystemCall.OpenPreferInternal, 16)
        compare(SystemCall.OpenExternalOnly, 32)
        SystemCall.openFile("file:///a", SystemCall.OpenFileElevated | SystemCall.OpenExternalOnly)
        compare(onlyCall().args[1], 33)
    }

    function test_executeNulls_data() {
        return [
            { tag: "path alone", args: ["/bin/x"], expected: ["/bin/x", "", "", ""] },
            { tag: "nulls", args: ["/bin/x", null, null, null], expected: ["/bin/x", "", "", ""] },
            { tag: "undefined", args: ["/bin/x", undefined, "/w", undefined], expected: ["/bin/x", "", "/w", ""] },
            { tag: "falsy kept", args: ["/bin/x", 0, false, ""], expected: ["/bin/x", 0, false, ""] },
        ]
    }

    function test_executeNulls(data) {
        SystemCall.execute.apply(SystemCall, data.args)
        var call = onlyCall()
        compare(call.name, "execute")
        compare(call.args.length, 4)
        for (var i = 0; i < 4; ++i)
            verify(call.args[i] === data.expected[i], i + ": " + call.args[i])
    }

    function test_commandNulls() {
        SystemCall.command("ls")
        compare(onlyCall().args, ["ls", ""])
        Host.Core.reset()
        SystemCall.command("ls", null)
        compare(onlyCall().args, ["ls", ""])
        Host.Core.reset()
        SystemCall.command("ls", 0)
        verify(onlyCall().args[1] === 0)
    }

    function test_openFolder() {
        Host.Core.results["execute"] = true
        compare(SystemCall.openFolder("file:///tmp/some%20dir", 16), SystemCall.OpenExternal)
        compare(onlyCall().args, ["/tmp/some dir", "", "", ""])

        Host.Core.reset()
        Host.Core.results["execute"] = 0
        compare(SystemCall.openFolder("https://example.com/dir"), SystemCall.OpenFailed)
        compare(onlyCall().args, ["", "", "", ""])

        Host.Core.reset()
        Host.Core.results["execute"] = "yes"
        compare(SystemCall.openFolder("file:///x"), 2)
    }

    function test_playSound_data() {
        return [
            { tag: "missing", audio: {}, plays: true },
            { tag: "undefined", audio: { sfx_on: undefined }, plays: true },
            { tag: "true", audio: { sfx_on: true }, plays: true },
            { tag: "false", audio: { sfx_on: false }, plays: false },
            { tag: "zero", audio: { sfx_on: 0 }, plays: true },
            { tag: "null", audio: { sfx_on: null }, plays: true },
            { tag: "empty", audio: { sfx_on: "" }, plays: true },
        ]
    }

    function test_playSound(data) {
        Host.CFG.audio = data.audio
        var sound = { played: 0, play: function () { ++this.played } }
        compare(SystemCall.playSound(sound), data.plays)
        compare(sound.played, data.plays ? 1 : 0)
    }

    function test_exitAndRestart() {
        Host.Core.results["system.exit"] = false
        compare(SystemCall.exit(), true)
        compare(onlyCall().name, "system.exit")

        Host.Core.reset()
        compare(SystemCall.restart(), true)
        compare(Host.Core.calls.length, 2)
        compare(Host.Core.calls[0].name, "restartOnExit")
        compare(Host.Core.calls[1].name, "system.exit")
    }
}

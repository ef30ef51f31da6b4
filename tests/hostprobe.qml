import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Window 2.12
import Orvane 1.0
import Orvane.Private 1.0 as Host

// What tst_hostservices drives: SystemCall on the stand-in host.
Window {
    id: probe

    width: 200
    height: 200
    visible: true

    property string answer: "none"
    readonly property QtObject system: Host.Core.system
    readonly property QtObject nativeCore: Host.NativeCore

    function call(name, args) {
        return SystemCall[name].apply(SystemCall, args)
    }
    function ask(options) {
        answer = "waiting"
        SystemCall.messageBox(options).then(function () {
            answer = "accepted"
        }, function (err) {
            answer = "rejected"
        })
    }
    function askWith(value) {
        try {
            SystemCall.messageBox(value)
        } catch (e) {
            return e instanceof TypeError
        }
        return false
    }
    function sound(on) {
        Host.CFG.audio.sfx_on = on
        var effect = { played: 0, play: function () { ++this.played } }
        return [SystemCall.playSound(effect), effect.played]
    }
    function openMenu() {
        return [SystemCall.popupMenu(menu), menu.visible, SystemCall.popupMenu({})]
    }
    function openDialog() {
        return [SystemCall.popupDialog(popup), popup.visible, SystemCall.popupDialog(null)]
    }

    Menu { id: menu; MenuItem { text: "Entry" } }
    Popup { id: popup; width: 50; height: 50 }
}

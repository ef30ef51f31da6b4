import QtQml 2.12
import QtQuick.Controls 2.12
import Orvane 1.0 as ORV
import Orvane.Private 1.0 as ORV
import Orvane.impl 1.0 as Impl

// A configured action: loads the host's action named by the configuration and runs it
// on trigger, after a confirmation if asked, then hides the launcher as the options say.
Action {
    id: thiz

    enum ActionOption {
        ConfirmBeforeAction = 1,
        KeepLauncherAfterAction = 2,
        CloseLauncherAfterAction = 4
    }

    readonly property QtObject action: d.object ? d.object : Impl.DefaultAction
    readonly property alias status: d.status
    readonly property string title: action.title
    readonly property string description: action.description
    property var configuration
    readonly property var $ActionSourceData: ORV.ObjectLoader {
        id: d

        property var options
        property var configuration

        // 4 is CloseLauncherAfterAction, 2 KeepLauncherAfterAction: naming its own
        // type would make this file depend on itself.
        function execute(source) {
            var options = d.options
            thiz.action.execute(source).then(function (result) {
                if (ORV.Core.keyboardModifiers() & Qt.ControlModifier)
                    return
                if ((options & 4)
                        || (result.external && !(options & 2)))
                    ORV.SystemCall.hideLauncher()
            }).catch(function (err) {
                ORV.Utils.printError(err)
                ORV.Core.system.warning()
            })
        }

        Binding {
            target: d.object
            property: "configuration"
            value: d.configuration
        }
    }

    enabled: action.enabled
    text: action.label
    shortcut: action.shortcut

    onConfigurationChanged: {
        var config = thiz.configuration ? thiz.configuration : {}
        d.source = config.source ? config.source : ""
        d.options = config.options
        d.configuration = config.data
    }

    onTriggered: {
        // 1 is ConfirmBeforeAction.
        if (d.options & 1) {
            var title = undefined
            var message = qsTr("Are you sure to execute this action?")
            if (thiz.action._isSystem) {
                title = "Alert"
                message += "\n「" + thiz.action.label + "」"
            } else {
                message += "\n「" + thiz.text + "」"
            }
            ORV.SystemCall.messageBox({ title: title, text: message, modal: true }).then(function () {
                d.execute(source)
            })
        } else {
            d.execute(source)
        }
    }
}

import QtQml 2.12
import Orvane.Private 1.0 as ORV

// A message for the host's notification service, published while `active`.
ORV.IconStorage {
    id: thiz

    property bool active: false
    property string title
    property string message

    signal accepted()
    signal rejected()

    icon.width: 32
    icon.height: 32
    icon.color: "#FFF"

    onActiveChanged: {
        if (active)
            ORV.Core.system.addNotification(thiz)
        else
            ORV.Core.system.removeNotification(thiz)
    }

    Component.onDestruction: active = false
}

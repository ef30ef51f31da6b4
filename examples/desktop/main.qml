import QtQuick 2.12
import Orvane 1.0

// The example desktop: a see-through window holding a clock, a system monitor and
// the launcher, and a notification when the launcher opens.
Window {
    id: desktop

    width: 1280
    height: 800
    visible: true
    color: "transparent"
    title: qsTr("Orvane example desktop")

    Clock {}
    SystemMonitor {
        x: 40
        y: 240
        width: 360
        height: 140
    }
    // Under the notifications, out of the way of the message boxes in the middle.
    Launcher {
        x: desktop.width - width - 16
        y: 96
    }

    Notification {
        id: launcherOpened
        title: qsTr("Launcher opened")
        message: qsTr("Click an entry to run it.")
        active: LauncherCompositor.visible
    }

    Component.onCompleted: SystemCall.showLauncher()
}

import QtQuick 2.12
import QtQuick.Window 2.12
import QtMultimedia 5.12
import "procfile.js" as Proc

// The example desktop as plain Qt Quick would show it: the same clock, system monitor,
// launcher and notification, with Timers, Texts, Rectangles and QtMultimedia's sounds,
// and no settings, menus or data sources.
Window {
    id: desktop

    width: 1280
    height: 800
    visible: true
    color: "transparent"

    Rectangle {
        id: clock

        property date now: new Date()

        x: 40
        y: 40
        width: 360
        height: 170
        radius: 12
        color: "#cc2b313a"

        Timer {
            interval: 1000
            running: true
            repeat: true
            triggeredOnStart: true
            onTriggered: clock.now = new Date()
        }
        Column {
            anchors.centerIn: parent
            spacing: 4
            Text { text: Qt.formatTime(clock.now, "HH:mm:ss"); color: "#f4f6f8"; font.pixelSize: 54; font.weight: Font.Light }
            Text { text: Qt.formatDate(clock.now, "dddd, d MMMM yyyy"); color: "#5fb3f9"; font.pixelSize: 18 }
            Text { text: "24-hour clock"; color: "#8d98a6"; font.pixelSize: 12 }
            Text { text: "settings: none"; color: "#8d98a6"; font.pixelSize: 12 }
        }
    }

    Rectangle {
        id: monitor

        property real load: 0
        property var last: Proc.cpu()
        property real lowest: 100
        property real highest: 0
        property var memory: Proc.memory()

        x: 40
        y: 240
        width: 360
        height: 140
        radius: 8
        color: "#2b313a"

        Timer {
            interval: 500
            running: true
            repeat: true
            onTriggered: {
                var now = Proc.cpu()
                if (now.total > monitor.last.total)
                    monitor.load = 100 * (now.busy - monitor.last.busy) / (now.total - monitor.last.total)
                monitor.last = now
                monitor.lowest = Math.min(monitor.lowest, monitor.load)
                monitor.highest = Math.max(monitor.highest, monitor.load)
            }
        }
        Timer {
            interval: 2000
            running: true
            repeat: true
            onTriggered: monitor.memory = Proc.memory()
        }
        Column {
            anchors.fill: parent
            anchors.margins: 16
            spacing: 10
            Repeater {
                model: [
                    { label: "System : CPU   " + Math.round(monitor.load) + " %", ratio: monitor.load / 100 },
                    { label: "Within the range seen so far", ratio: monitor.highest > monitor.lowest ? (monitor.load - monitor.lowest) / (monitor.highest - monitor.lowest) : 0 },
                    { label: "System : Memory   " + monitor.memory.used.toFixed(1) + " GiB  in use", ratio: monitor.memory.used / monitor.memory.total }
                ]
                delegate: Column {
                    width: parent.width
                    spacing: 4
                    Text { text: modelData.label; color: "white"; font.pixelSize: 14 }
                    Rectangle {
                        width: parent.width
                        height: 6
                        radius: 3
                        color: "#444c58"
                        Rectangle { width: parent.width * modelData.ratio; height: parent.height; radius: 3; color: "#5fb3f9" }
                    }
                }
            }
        }
    }

    // The launcher's sounds, from the build tree; the one of its opening plays at start.
    SoundEffect { source: "../../build/share/orvane/sounds/FeedbackClick.wav" }
    SoundEffect {
        source: "../../build/share/orvane/sounds/PopupLauncher.wav"
        Component.onCompleted: play()
    }

    Rectangle {
        x: desktop.width - width - 16
        y: 96
        width: 400
        height: entries.height + 32
        radius: 12
        color: "#e6232a33"

        Column {
            id: entries
            x: 16
            y: 16
            width: parent.width - 32
            spacing: 2
            Text { text: "Launcher"; color: "white"; font.pixelSize: 18 }
            Repeater {
                model: ["Say hello", "Say goodbye (asks first)", "Tools", "Examples"]
                delegate: Rectangle {
                    width: parent.width
                    height: 32
                    radius: 6
                    color: area.containsMouse ? "#3a4452" : "transparent"
                    Text { x: 12; anchors.verticalCenter: parent.verticalCenter; text: modelData; color: "#f4f6f8"; font.pixelSize: 14 }
                    MouseArea { id: area; anchors.fill: parent; hoverEnabled: true }
                }
            }
        }
    }

    Rectangle {
        x: desktop.width - width - 16
        y: 16
        width: 320
        height: 64
        radius: 8
        color: "#ee2b313a"
        Column {
            x: 12
            y: 10
            Text { text: "Launcher opened"; color: "white"; font.pixelSize: 14; font.bold: true }
            Text { text: "Click an entry to run it."; color: "#c8d0da"; font.pixelSize: 12 }
        }
    }
}

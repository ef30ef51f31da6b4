import QtQuick 2.12
import Orvane 1.0

// Time and date; a click shows or hides the launcher. Its settings live in a
// settings map bound to an object of their own; every change is saved, and the next
// start loads them back.
Rectangle {
    id: clock

    // The clock's settings: each property is bound to the map's key of the same name,
    // so loading the map sets them and changing them edits the map. Only these: the
    // binding takes every property of the object it is set on.
    readonly property QtObject preferences: QtObject {
        id: prefs
        property bool use24Hour: true
        property string textColor: "#f4f6f8"
        property string accentColor: "#5fb3f9"
        property real x: 40
        property real y: 40
        property int starts: 0

        // A first run finds nothing to load and starts from a new map.
        SettingsMap.source: Settings.exists(clock.settingsDirectory, "clock")
                            && Settings.load(clock.settingsDirectory, "clock", clock)
                            || Settings.createMap(clock)

        // The binding copies a new value into the map after these handlers: save later.
        onUse24HourChanged: Qt.callLater(clock.save)
        onTextColorChanged: Qt.callLater(clock.save)
        onAccentColorChanged: Qt.callLater(clock.save)
        onXChanged: Qt.callLater(clock.save)
        onYChanged: Qt.callLater(clock.save)
        onStartsChanged: Qt.callLater(clock.save)
    }
    readonly property string settingsDirectory: "examples/clock"
    property date now: new Date()

    x: preferences.x
    y: preferences.y
    width: 360
    height: 170
    radius: 12
    color: "#cc2b313a"

    function save() {
        var settings = prefs.SettingsMap.source
        if (Settings.isModified(settings) && !Settings.save(settings, settingsDirectory, "clock"))
            console.warn("the clock could not save its settings")
    }

    // After the binding has brought the saved values in.
    Component.onCompleted: Qt.callLater(function () { ++prefs.starts })

    // What the shell's --trigger finds it by.
    objectName: "clock"
    function trigger() {
        SystemCall.toggleLauncher()
    }

    MouseArea {
        anchors.fill: parent
        onClicked: clock.trigger()
    }

    // Ticks as each second turns, together with the desktop's data sources.
    Timer {
        interval: 1000
        running: true
        repeat: true
        triggeredOnStart: true
        onTriggered: {
            clock.now = new Date()
            interval = 1000 - clock.now.getMilliseconds()
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 4

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: Qt.formatTime(clock.now, clock.preferences.use24Hour ? "HH:mm:ss" : "h:mm:ss AP")
            color: clock.preferences.textColor
            font.pixelSize: 54
            font.weight: Font.Light
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: Qt.formatDate(clock.now, "dddd, d MMMM yyyy")
            color: clock.preferences.accentColor
            font.pixelSize: 18
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: (clock.preferences.use24Hour ? "24-hour" : "12-hour") + " clock · started "
                  + clock.preferences.starts + (clock.preferences.starts === 1 ? " time" : " times")
            color: "#8d98a6"
            font.pixelSize: 12
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "settings: " + clock.settingsDirectory + "/clock.xml · click: launcher"
            color: "#8d98a6"
            font.pixelSize: 12
        }
    }
}

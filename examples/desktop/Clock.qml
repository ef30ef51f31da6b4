import QtQuick 2.12
import Orvane 1.0

// Time and date. Its settings live in a settings map bound to the widget's own
// properties; every change is saved, and the next start loads them back.
Rectangle {
    id: clock

    // The clock's settings: each property is bound to the map's key of the same
    // name, so loading the map sets them and changing them edits the map.
    readonly property QtObject preferences: QtObject {
        property bool use24Hour: true
        property string textColor: "#f4f6f8"
        property string accentColor: "#5fb3f9"
        property real x: 40
        property real y: 40
        property int starts: 0

        SettingsMap.source: clock.settings

        onUse24HourChanged: clock.save()
        onTextColorChanged: clock.save()
        onAccentColorChanged: clock.save()
        onXChanged: clock.save()
        onYChanged: clock.save()
    }
    readonly property string settingsDirectory: "examples/clock"
    readonly property var settings: {
        var loaded = Settings.exists(settingsDirectory, "clock")
                ? Settings.load(settingsDirectory, "clock", clock) : null
        return loaded ? loaded : Settings.createMap(clock)
    }
    property date now: new Date()

    x: preferences.x
    y: preferences.y
    width: 360
    height: 170
    radius: 12
    color: "#cc2b313a"

    function save() {
        if (Settings.isModified(settings) && !Settings.save(settings, settingsDirectory, "clock"))
            console.warn("the clock could not save its settings")
    }

    // After the binding has brought the saved values in.
    Component.onCompleted: Qt.callLater(function () {
        ++preferences.starts
        save()
    })

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
            text: "settings: " + clock.settingsDirectory + "/clock.xml"
            color: "#8d98a6"
            font.pixelSize: 12
        }
    }
}

import QtQuick 2.12

// The same widget in plain Qt Quick: its settings in a QtObject, a Timer, a Text.
Text {
    id: thiz

    readonly property QtObject preferences: QtObject {
        property int interval: 1000
    }

    Timer {
        interval: thiz.preferences.interval
        running: true
        repeat: true
        triggeredOnStart: true
        onTriggered: thiz.text = Math.round(Math.random() * 100) + " %"
    }
}

import QtQuick 2.12
import Orvane 1.0

// The widget's parts, step by step: the QtObject bound to a settings map.
Text {
    id: thiz

    readonly property var settings: Settings.createMap(thiz)
    readonly property QtObject preferences: QtObject {
        property int interval: 1000
        SettingsMap.source: thiz.settings
    }

    text: "12 %"
}

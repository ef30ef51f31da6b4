import QtQuick 2.12
import Orvane 1.0

// The widget's parts, step by step: the settings and a DataSource reading the machine.
Text {
    id: thiz

    readonly property var settings: Settings.createMap(thiz)
    readonly property QtObject preferences: QtObject {
        property int interval: 1000
        SettingsMap.source: thiz.settings
    }

    DataSource {
        configuration: ({ source: "system", value: "cpu", interval: thiz.preferences.interval })
    }

    text: "12 %"
}

import QtQuick 2.12
import Orvane 1.0

// One live widget: its settings bound to a map, a reading of this machine, shown as text.
Text {
    id: thiz

    readonly property var settings: Settings.createMap(thiz)
    readonly property QtObject preferences: QtObject {
        property int interval: 1000
        SettingsMap.source: thiz.settings
    }

    DataSource {
        id: cpu
        configuration: ({ source: "system", value: "cpu", interval: thiz.preferences.interval })
    }
    DataSourceTextOutput { id: output; source: cpu; maximumDecimalDigits: 0 }

    text: output.result + " " + output.unit
}

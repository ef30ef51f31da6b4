import QtQuick 2.12

// The widget's parts, step by step: its QtObject and its Text, with nothing behind them.
Text {
    readonly property QtObject preferences: QtObject {
        property int interval: 1000
    }

    text: "12 %"
}

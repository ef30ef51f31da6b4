import QtQml 2.12
import Orvane.Controls.impl 1.0 as Impl

// A nine-patch background that follows the pressed and hovered state of its control.
Impl.NinePatchImage {
    id: thiz

    property bool hovered: false
    property bool pressed: false
    property alias defaultBackground: selector.states
    property alias configuration: selector.configuration

    // Pressed wins over hovered.
    source: Qt.resolvedUrl(pressed ? selector.pressed : hovered ? selector.hovered : selector.normal)

    Impl.ControlStatesSelector {
        id: selector
    }
}

import QtQml 2.12
import Orvane.Controls 1.0
import Orvane.Controls.impl 1.0 as Impl

// An icon that follows the pressed and hovered state of its control.
Icon {
    id: thiz

    property bool hovered: false
    property bool pressed: false
    property alias defaultIcon: selector.states
    property alias configuration: selector.configuration

    // Pressed wins over hovered.
    icon.source: Qt.resolvedUrl(pressed ? selector.pressed : hovered ? selector.hovered : selector.normal)

    Impl.ControlStatesSelector {
        id: selector
    }
}

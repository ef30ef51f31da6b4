import QtQuick 2.12
import Orvane.impl 1.0 as Impl

// A widget window: the native window stays transparent, `color` paints the content.
Impl.Window {
    id: root

    property alias color: background.color

    Rectangle {
        id: background
        anchors.fill: parent
    }
}

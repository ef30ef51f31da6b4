import QtQuick 2.12

// What the runner shows instead of a desktop that does not load.
Rectangle {
    id: thiz

    property string errors

    anchors.fill: parent
    color: "#2b1d1d"

    Text {
        anchors.fill: parent
        anchors.margins: 16
        text: qsTr("The desktop does not load; it will be loaded again when a file changes.")
              + "\n\n" + thiz.errors
        color: "#ffb4a9"
        wrapMode: Text.Wrap
        font.family: "monospace"
        font.pixelSize: 14
    }
}

import QtQuick 2.12
import Orvane.Private 1.0 as ORV

// The shell's notification area in the top right corner of the desktop window.
Column {
    anchors { top: parent ? parent.top : undefined; right: parent ? parent.right : undefined; margins: 16 }
    spacing: 8
    z: 1e9
    width: 320

    Repeater {
        model: ORV.Core.system ? ORV.Core.system.notifications : []
        delegate: Rectangle {
            width: 320
            height: 64
            radius: 8
            color: "#e6323844"
            border.color: "#5fb3f9"

            Image {
                id: picture
                x: 12
                anchors.verticalCenter: parent.verticalCenter
                width: modelData.icon.width
                height: modelData.icon.height
                source: modelData.icon.source
                visible: status === Image.Ready
            }
            Column {
                anchors {
                    left: picture.visible ? picture.right : parent.left
                    leftMargin: 12
                    right: parent.right
                    rightMargin: 12
                    verticalCenter: parent.verticalCenter
                }
                Text { text: modelData.title; color: "white"; font.bold: true; font.pixelSize: 15; elide: Text.ElideRight; width: parent.width }
                Text { text: modelData.message; color: "#c8d0da"; font.pixelSize: 13; elide: Text.ElideRight; width: parent.width }
            }
        }
    }
}

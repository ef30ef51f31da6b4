import QtQuick 2.12
import QtQuick.Window 2.12
import Orvane 1.0

Window {
    width: 1280
    height: 800
    visible: true
    color: "#1e2228"

    Text {
        anchors.centerIn: parent
        text: "Orvane"
        color: "white"
        font.pixelSize: 48
    }

    SystemMonitor {
        x: 24
        y: 24
    }
}

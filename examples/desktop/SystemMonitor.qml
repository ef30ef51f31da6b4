import QtQuick 2.12
import Orvane 1.0

// A widget with this machine's CPU load and memory in use, live.
Rectangle {
    id: monitor

    width: 280
    height: 100
    radius: 8
    color: "#2b313a"

    DataSource {
        id: cpu
        configuration: ({ source: "system", value: "cpu", interval: 500 })
    }
    DataSource {
        id: memory
        configuration: ({ source: "system", value: "memory", unit: "GiB", interval: 2000 })
    }
    DataSourceTextOutput { id: cpuText; source: cpu; maximumDecimalDigits: 0 }
    DataSourceProgressOutput { id: cpuBar; source: cpu }
    // Dynamic: the bar spans the lowest to the highest reading seen so far.
    DataSourceProgressOutput { id: cpuRange; source: cpu; dynamic: true }
    DataSourceTextOutput { id: memoryText; source: memory; fixedDecimalDigits: 1 }
    // Static: from none to all of this machine's memory.
    DataSourceProgressOutput { id: memoryBar; source: memory }

    Column {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 10

        Repeater {
            model: [
                { label: cpu.title, text: cpuText.result + " " + cpuText.unit, ratio: cpuBar.result },
                { label: qsTr("Within the range seen so far"), text: "", ratio: cpuRange.result },
                { label: memory.title, text: memoryText.result + " " + memoryText.unit + "  " + qsTr("in use"), ratio: memoryBar.result },
            ]
            delegate: Column {
                width: parent.width
                spacing: 4
                Text {
                    text: modelData.label + "   " + modelData.text
                    color: "white"
                    font.pixelSize: 14
                }
                Rectangle {
                    width: parent.width
                    height: 6
                    radius: 3
                    color: "#444c58"
                    Rectangle {
                        width: parent.width * modelData.ratio
                        height: parent.height
                        radius: 3
                        color: "#5fb3f9"
                    }
                }
            }
        }
    }
}

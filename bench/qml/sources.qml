import QtQuick 2.12
import Orvane 1.0

// Twenty readings of the CPU load, each its own DataSource, text output and Text.
Column {
    width: 200
    height: 400

    Repeater {
        model: 20
        delegate: Text {
            DataSource {
                id: cpu
                configuration: ({ source: "system", value: "cpu", interval: 1000 })
            }
            DataSourceTextOutput { id: output; source: cpu; maximumDecimalDigits: 0 }
            text: output.result + " " + output.unit
        }
    }
}

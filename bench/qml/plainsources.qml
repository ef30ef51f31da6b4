import QtQuick 2.12
import "procfile.js" as Proc

// The plain way to show twenty readings of the CPU load: one Timer, twenty Texts.
Column {
    id: thiz

    property real load: 0
    property var last: Proc.cpu()

    width: 200
    height: 400

    Timer {
        interval: 1000
        running: true
        repeat: true
        onTriggered: {
            var now = Proc.cpu()
            if (now.total > thiz.last.total)
                thiz.load = 100 * (now.busy - thiz.last.busy) / (now.total - thiz.last.total)
            thiz.last = now
        }
    }

    Repeater {
        model: 20
        delegate: Text { text: Math.round(thiz.load) + " %" }
    }
}

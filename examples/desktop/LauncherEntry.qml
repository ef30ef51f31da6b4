import QtQuick 2.12
import Orvane 1.0

// One launcher row: the item's icon and label; a click runs its action through an
// ActionSource and plays the click sound. An entry of a folder listing opens its file
// through SystemCall, whose answer tells whether it worked, and says so when it did not.
Rectangle {
    id: entry

    property var item
    property int depth: 0
    readonly property bool runnable: !!entry.item && entry.item.action !== undefined
                                     && entry.item.action !== null
    readonly property bool listed: !!entry.item && (entry.item.type === MenuSettings.FolderDirItem
                                                     || entry.item.type === MenuSettings.FolderFileItem)

    // What the shell's --trigger finds it by.
    objectName: item ? item.label : ""
    width: parent ? parent.width : 300
    height: 30
    radius: 6
    color: mouse.containsMouse ? "#3a4452" : "transparent"

    ActionSource {
        id: action
        configuration: entry.runnable ? entry.item.action : undefined
    }

    IconSource {
        id: icon
        x: 8 + entry.depth * 18
        anchors.verticalCenter: parent.verticalCenter
        width: 20
        height: 20
        hovered: mouse.containsMouse
        pressed: mouse.pressed
        configuration: entry.item ? entry.item.icon : undefined
    }
    Text {
        anchors { left: icon.right; leftMargin: 8; verticalCenter: parent.verticalCenter }
        text: entry.item ? entry.item.label : ""
        color: "#f4f6f8"
        font.pixelSize: 15
    }
    Text {
        anchors { right: parent.right; rightMargin: 10; verticalCenter: parent.verticalCenter }
        text: entry.runnable ? action.title : ""
        color: "#8d98a6"
        font.pixelSize: 12
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: entry.trigger()
    }

    Notification {
        id: failure
        title: qsTr("Cannot open")
    }
    Timer {
        id: dismiss
        interval: 6000
        onTriggered: failure.active = false
    }

    function trigger() {
        SystemCall.playSound(SFX.FeedbackClick)
        if (entry.listed)
            entry.open()
        else if (entry.runnable)
            action.trigger()
    }

    function open() {
        var data = entry.item.action.data
        var result = data.type === 1 ? SystemCall.openFolder(data.url)
                                     : SystemCall.openFile(data.url, 0)
        if (result !== SystemCall.OpenFailed)
            return
        console.warn("cannot open " + data.url)
        failure.message = qsTr("%1 could not be opened.").arg(entry.item.label)
        failure.active = true
        dismiss.restart()
    }
}

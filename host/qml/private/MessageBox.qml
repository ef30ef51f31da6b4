import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Window 2.12

// A modal question with OK and Cancel; finished(accepted) tells the answer.
Window {
    id: thiz

    property string text
    property bool modal: true

    signal finished(bool accepted)

    property bool answered: false

    function accept() { answer(true) }
    function reject() { answer(false) }
    function answer(accepted) {
        if (answered)
            return
        answered = true
        finished(accepted)
    }

    width: 360
    height: 140
    flags: Qt.Dialog
    modality: modal ? Qt.ApplicationModal : Qt.NonModal
    color: "#2b2f36"
    onClosing: reject()

    Label {
        anchors { left: parent.left; right: parent.right; top: parent.top; margins: 16 }
        text: thiz.text
        color: "white"
        wrapMode: Text.Wrap
    }
    Row {
        anchors { right: parent.right; bottom: parent.bottom; margins: 12 }
        spacing: 8
        Button { text: qsTr("OK"); onClicked: thiz.accept() }
        Button { text: qsTr("Cancel"); onClicked: thiz.reject() }
    }
}

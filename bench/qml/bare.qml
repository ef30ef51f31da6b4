import QtQuick 2.12
import QtQuick.Window 2.12

// A window with nothing in it, the size of the example desktop.
Window {
    width: 1280
    height: 800
    visible: true
    color: "transparent"
}

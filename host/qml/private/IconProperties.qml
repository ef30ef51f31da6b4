import QtQml 2.12

QtObject {
    property url source
    property real width: 0
    property real height: 0
    property color color: "transparent"
}

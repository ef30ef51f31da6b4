import QtQml 2.12

QtObject {
    property int answer: 42
}

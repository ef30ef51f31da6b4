pragma Singleton
import QtQml 2.12

QtObject {
    property var audio: ({})
}

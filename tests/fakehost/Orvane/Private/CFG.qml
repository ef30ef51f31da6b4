pragma Singleton
import QtQml 2.12

// The user's configuration with any value a test wants, also none at all.
QtObject {
    property var audio: ({})
}

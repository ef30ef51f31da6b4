pragma Singleton
import QtQml 2.12

QtObject {
    // Opens a QtQuick.Controls Popup or Dialog; false when it is none.
    function open(dialog) {
        if (!dialog || typeof dialog.open !== "function")
            return false
        dialog.open()
        return true
    }
}

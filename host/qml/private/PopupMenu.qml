pragma Singleton
import QtQml 2.12

QtObject {
    // Opens a QtQuick.Controls Menu at the cursor; false when it is no menu.
    function open(menu) {
        if (!menu || typeof menu.popup !== "function")
            return false
        menu.popup()
        return true
    }
}

pragma Singleton
import QtQml 2.12

QtObject {
    function open(what) { return Core.record("PopupMenu", arguments) }
}

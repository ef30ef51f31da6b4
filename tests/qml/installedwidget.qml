import QtQuick 2.12
import Orvane 1.0

// A widget run against the installed module only.
Item {
    Component.onCompleted: {
        var map = Settings.createMap(null)
        map.greeting = "hello"
        var saved = Settings.save(map, "installed", "widget")
        var loaded = Settings.load("installed", "widget", null)
        console.log("installed:", saved, loaded.greeting, SFX._configs.length,
                    Url.info("file:///a/b.txt").fileName,
                    Url.toLocalFile(SFX.PopupMenu.defaultSource))
        // Quitting before the event loop runs would be lost.
        Qt.callLater(Qt.quit)
    }
}

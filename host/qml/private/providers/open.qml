import QtQml 2.12
import Orvane.Private 1.0
import Orvane.Templates 1.0 as T

// Opens a file or folder with the desktop's handler: configuration { url, type }.
T.Action {
    title: qsTr("Open")
    description: qsTr("Opens a file or folder with its application.")
    label: title
    _isSystem: true

    run: function (source, configuration) {
        var config = configuration ? configuration : {}
        if (!config.url)
            throw new Error("nothing to open")
        if (Core.system.openFile(config.url, 0) === Core.system.openFailed)
            throw new Error("cannot open " + config.url)
        return { external: true }
    }
}

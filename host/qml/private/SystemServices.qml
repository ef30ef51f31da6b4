import QtQml 2.12

// The shell's system services: message boxes, notifications, opening things.
QtObject {
    id: thiz

    readonly property int openFailed: 0
    readonly property int openExternal: 2

    // The native core: the Core singleton hands it in.
    property QtObject nativeCore: null
    property var notifications: []
    property QtObject currentMessageBox: null
    property int warnings: 0

    signal launcherEditorRequested()
    signal widgetGalleryRequested()
    signal workshopRequested()
    signal exitRequested()
    // Every call, also one that changes nothing, so the shell can trace them.
    signal notificationAdded(QtObject object)
    signal notificationRemoved(QtObject object)
    signal messageBoxRequested(var options)

    readonly property Component messageBoxComponent: Component { MessageBox {} }

    function messageBox(options) {
        messageBoxRequested(options)
        return new Promise(function (resolve, reject) {
            var box = messageBoxComponent.createObject(null, {
                title: options.title !== undefined ? String(options.title) : "",
                text: options.text !== undefined ? String(options.text) : "",
                modal: !!options.modal
            })
            currentMessageBox = box
            box.finished.connect(function (accepted) {
                if (currentMessageBox === box)
                    currentMessageBox = null
                box.destroy()
                if (accepted)
                    resolve(true)
                else
                    reject(new Error("cancelled"))
            })
            box.show()
        })
    }

    function addNotification(object) {
        notificationAdded(object)
        if (!object || notifications.indexOf(object) >= 0)
            return
        notifications = notifications.concat([object])
    }
    function removeNotification(object) {
        notificationRemoved(object)
        var index = notifications.indexOf(object)
        if (index < 0)
            return
        var list = notifications.slice()
        list.splice(index, 1)
        notifications = list
    }

    function showLauncherEditor() { launcherEditorRequested(); return true }
    function showWidgetGellary() { widgetGalleryRequested(); return true }
    function showWorkshop() { workshopRequested(); return true }

    function openFile(url, option) {
        return nativeCore.openUrl(url) ? openExternal : openFailed
    }
    function openLink(url, option) {
        return nativeCore.openUrl(url) ? openExternal : openFailed
    }
    function exit() {
        exitRequested()
        Qt.quit()
    }
    function warning() {
        ++warnings
    }
}

import QtQuick 2.12
import Orvane 1.0

// The launcher: a menu document loaded with MenuSettings, created and saved on the
// first start, with an action, a submenu and a folder listing of the examples.
Rectangle {
    id: launcher

    readonly property string menuDirectory: "examples"
    readonly property string menuName: "launcher"
    property var menu: null

    visible: LauncherCompositor.visible
    width: 400
    height: content.height + 32
    radius: 12
    color: "#e6232a33"

    function addItem(list, type, label, action) {
        var item = list.create()
        item.type = type
        item.label = label
        if (action)
            item.action = action
        return item
    }

    function createMenu() {
        var root = MenuSettings.create(launcher)
        var items = root.items
        addItem(items, MenuSettings.ActionItem, qsTr("Say hello"), {
            source: "run", data: { path: "/bin/echo", param: "hello from the launcher" }
        })
        addItem(items, MenuSettings.ActionItem, qsTr("Say goodbye (asks first)"), {
            source: "run", options: ActionSource.ConfirmBeforeAction,
            data: { path: "/bin/echo", param: "goodbye from the launcher" }
        })
        var tools = addItem(items, MenuSettings.MenuItem, qsTr("Tools"))
        addItem(tools.items, MenuSettings.ActionItem, qsTr("Disk usage"), {
            source: "run", data: { path: "/usr/bin/du", param: "-sh ." }
        })
        addItem(tools.items, MenuSettings.ActionItem, qsTr("List processes"), {
            source: "run", data: { path: "/bin/ps", param: "aux" }
        })
        var examples = addItem(items, MenuSettings.FolderItem, qsTr("Examples"))
        var folder = examples.folder
        folder.path = "file:///${ORVANE_EXAMPLES_DIR}/desktop"
        folder.extractIcon = true
        folder.keepExtension = true
        examples.folder = folder
        if (!MenuSettings.save(root, menuDirectory, menuName))
            console.warn("the launcher could not save its menu")
        return root
    }

    Component.onCompleted: {
        var loaded = Settings.exists(menuDirectory, menuName)
                ? MenuSettings.load(menuDirectory, menuName, launcher) : null
        menu = loaded ? loaded : createMenu()
        SFX.FeedbackClick.source = SFX.FeedbackClick.defaultSource
        SFX.PopupLauncher.source = SFX.PopupLauncher.defaultSource
    }

    Connections {
        target: LauncherCompositor
        function onVisibleChanged() {
            if (LauncherCompositor.visible)
                SystemCall.playSound(SFX.PopupLauncher)
        }
    }

    Column {
        id: content
        x: 16
        y: 16
        width: parent.width - 32
        spacing: 2

        Text {
            text: qsTr("Launcher")
            color: "#5fb3f9"
            font.pixelSize: 20
            bottomPadding: 6
        }
        Repeater {
            model: launcher.menu ? launcher.menu.items : null
            delegate: Column {
                id: row
                property var menuItem: modelData
                width: content.width
                LauncherEntry { item: row.menuItem }
                // A submenu or a folder listing, one level deep.
                Repeater {
                    model: row.menuItem.items ? row.menuItem.items.count : 0
                    delegate: LauncherEntry {
                        item: row.menuItem.items.get(index)
                        depth: 1
                    }
                }
            }
        }
        Text {
            text: qsTr("menu saved as %1/%2.xml").arg(launcher.menuDirectory).arg(launcher.menuName)
            color: "#8d98a6"
            font.pixelSize: 12
            topPadding: 6
        }
    }
}

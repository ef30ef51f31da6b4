import QtQuick 2.12
import QtQml.Models 2.12
import Orvane 1.0

// Everything a widget may hold when its engine goes away: every singleton touched, a
// settings tree, a menu with a folder listing, live data and a hundred sound effects.
Item {
    id: thiz

    property var settings: Settings.createMap(thiz)
    property var menu: MenuSettings.create(thiz)
    property int used: 0

    Instantiator {
        model: 100
        delegate: SoundEffect { source: soundUrl }
    }
    DataSource { id: data; configuration: ({ source: "system", value: "cpu", interval: 100 }) }
    DataSourceTextOutput { source: data }
    ActionSource { id: action; configuration: ({ source: "run", data: { path: "/bin/true" } }) }

    Component.onCompleted: {
        settings.title = "teardown"
        settings.nested = Settings.createMap(settings)
        settings.nested.list = Settings.createList(settings.nested)
        settings.nested.list.append([1, "two", true])
        Settings.save(settings, "teardown", "tree")
        var loaded = Settings.load("teardown", "tree", thiz)

        var folder = menu.items.create()
        folder.type = MenuSettings.FolderItem
        folder.folder.path = folderUrl
        var listed = folder.items.count > 0 ? folder.items.get(0).label : ""
        MenuSettings.save(menu, "teardown", "menu")
        var menuBack = MenuSettings.load("teardown", "menu", thiz)
        var folderBack = menuBack.items.get(0).items.get(0)

        used = [loaded.nested.list.count, listed.length, folderBack ? 1 : 0,
                SFX._configs.length, Url.info(folderUrl).localFile ? 1 : 0,
                Resources.resolve(folderUrl) ? 1 : 0, Utils.createUuid().length,
                LauncherCompositor.visible ? 1 : 0, WindowCompositor ? 1 : 0,
                SystemCall.playSound ? 1 : 0, action.title.length].length
    }
}

import QtQuick 2.15
import QtTest 1.2
import QtQml.Models 2.15
import Orvane 1.0

TestCase {
    id: testCase
    name: "MenuSettings"

    SignalSpy {
        id: folderSpy
        signalName: "folderChanged"
    }

    Instantiator {
        id: rows
        delegate: QtObject {
            property string label: modelData.label
        }
    }

    function test_enumAndTypes() {
        compare(MenuSettings.EmptyItem, 0)
        compare(MenuSettings.ActionItem, 1)
        compare(MenuSettings.MenuItem, 100)
        compare(MenuSettings.FolderItem, 101)
        compare(MenuSettings.FolderDirItem, 1000)
        compare(MenuSettings.FolderFileItem, 1001)
        var reasons = ["MenuSettingsItem", "MenuSettingsList", "MenuFolderItem", "MenuFolderList"]
        for (var i = 0; i < reasons.length; ++i) {
            try {
                Qt.createQmlObject("import Orvane 1.0; " + reasons[i] + " {}", testCase)
                fail("created " + reasons[i])
            } catch (e) {
                verify(String(e.qmlErrors[0].message).indexOf(reasons[i] + " is uncreatable") >= 0,
                       e.qmlErrors[0].message)
            }
        }
    }

    function test_editAndSaveFromQml() {
        var root = MenuSettings.create(testCase)
        compare(root.type, MenuSettings.MenuItem)
        compare(root._orv_id, "root")
        compare(root.parent, null)
        var item = root.items.create()
        compare(item.parent, root)
        item.type = MenuSettings.ActionItem
        item.label = "Run"
        item.action = {source: "orv://system/action#run", data: {n: 1}}
        item._orv_icon = {normal: "run.png"}
        compare(item.icon.normal, "run.png")
        compare(JSON.stringify(root.items), "null")

        var folder = root.items.create(0)
        folder.type = MenuSettings.FolderItem
        folderSpy.target = folder
        folder.folder.path = "file://" + testDirs.root
        folder.folder.keepExtension = true
        compare(folderSpy.count, 2)
        verify(folder.items.count > 0)
        verify(folder.items.get(0).label.length > 0)
        rows.model = folder.items
        compare(rows.count, folder.items.count)
        compare(rows.objectAt(0).label, folder.items.get(0).label)
        compare(JSON.stringify(folder.items), "null")

        var sub = root.items.create()
        sub.type = MenuSettings.MenuItem
        sub.items.append(item)
        compare(root.items.count, 2)
        compare(item.parent, sub)

        var themes = Settings.createMap(testCase)
        root.themeSettings = themes
        verify(themes[item._orv_id] !== undefined)
        themes[item._orv_id].icon = "themed.png"
        compare(item.icon, "themed.png")

        verify(MenuSettings.save(root, "qmlmenus", "main"))
        var loaded = MenuSettings.load("qmlmenus", "main", testCase)
        verify(loaded)
        compare(loaded.items.count, 2)
        var folderBack = loaded.items.get(0)
        compare(folderBack.type, MenuSettings.FolderItem)
        compare(folderBack.folder.path, "file://" + testDirs.root)
        verify(folderBack.folder.keepExtension)
        verify(!folderBack.folder.extractIcon)
        var itemBack = loaded.items.get(1).items.get(0)
        compare(itemBack._orv_id, item._orv_id)
        compare(itemBack.action.data.n, 1)
        compare(itemBack._orv_icon.normal, "run.png")
        ignoreWarning("MenuSettings::load: cannot open file: " + testDirs.config
                      + "/qmlmenus/missing.xml")
        compare(MenuSettings.load("qmlmenus", "missing"), null)
        root.destroy()
        loaded.destroy()
    }
}

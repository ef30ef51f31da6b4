import QtQuick 2.15
import QtTest 1.2
import QtQml.Models 2.15
import Orvane 1.0

TestCase {
    id: testCase
    name: "MenuSettings"

    SignalSpy { id: folderSpy; signalName: "folderChanged" }
    Instantiator { id: rows; delegate: QtObject { property string label: modelData.label } }

    function test_editAndSaveFromQml() {
        var root = MenuSettings.create(testCase)
        var item = root.items.create()
        item.type = MenuSettings.ActionItem
        item.action = {source: "orv://system/action#run", data: {n: 1}}
        item._orv_icon = {normal: "run.png"}
        compare(item.icon.normal, "run.png")
        var folder = root.items.create(0)
        folder.type = MenuSettings.FolderItem
        folderSpy.target = folder
        folder.folder.path = "file://" + testDirs.root
        folder.folder.keepExtension = true
        rows.model = folder.items
        compare([folderSpy.count, rows.objectAt(0).label], [2, folder.items.get(0).label])
        var sub = root.items.create()
        sub.type = MenuSettings.MenuItem
        sub.items.append(item)
        root.themeSettings = Settings.createMap(testCase)
        root.themeSettings[item._orv_id].icon = "themed.png"
        compare(item.icon, "themed.png")
        verify(MenuSettings.save(root, "qmlmenus", "main"))
        var loaded = MenuSettings.load("qmlmenus", "main", testCase)
        var itemBack = loaded.items.get(1).items.get(0)
        compare([loaded.items.get(0).folder.path, itemBack._orv_id, itemBack.action.data.n], ["file://" + testDirs.root, item._orv_id, 1])
        root.destroy()
        loaded.destroy()
    }
}

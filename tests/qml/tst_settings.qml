import QtQuick 2.15
import QtTest 1.2
import QtQml.Models 2.15
import Orvane 1.0

// Settings and menus as a widget uses them from QML.
TestCase {
    id: testCase
    name: "Settings"

    property QtObject map: null

    Component {
        id: boundComponent
        QtObject {
            property int size: 10
            property string title: "clock"
            property var anything
            SettingsMap.source: testCase.map
        }
    }

    function test_bothDirections() {
        map = Settings.createMap(testCase)
        map.size = 20
        map.anything = 5
        Settings.setModified(map, false)
        var first = createTemporaryObject(boundComponent, testCase)
        compare([first.size, first.anything, map.title], [20, 5, "clock"])
        verify(Settings.isModified(map)) // by the added key only
        compare(map.keys(), ["size", "anything", "title"])
        Settings.setModified(map, false)
        var second = createTemporaryObject(boundComponent, testCase)
        verify(!Settings.isModified(map)) // every key matched: nothing written back
        first.size = 30
        map.title = "alarm"
        map.size = Settings.createList(testCase) // no int takes it
        map.anything = "text"
        compare([second.size, first.size, first.anything, second.title], [30, 30, "text", "alarm"])
    }

    function test_sourceChanges() {
        map = Settings.createMap(testCase)
        var object = boundComponent.createObject(testCase)
        ignoreWarning("SettingsMapAttached::setSource: invalid Settings")
        object.SettingsMap.source = Settings.createList(testCase)
        compare(object.SettingsMap.source, map)
        var other = Settings.createMap(testCase)
        other.size = 77
        object.SettingsMap.source = other
        map.size = 5
        compare([object.size, other.title], [77, "clock"]) // the old map is no longer heard
        other.destroy()
        tryCompare(object.SettingsMap, "source", null) // and no crash on writes
        object.size = 3
    }

    Instantiator { id: rows; delegate: QtObject { property string label: modelData.label } }

    // What a widget does with a menu, by the names QML sees.
    function test_menu() {
        var root = MenuSettings.create(testCase)
        var item = root.items.create()
        item._orv_icon = {normal: "run.png"}
        compare(item.icon.normal, "run.png")
        var folder = root.items.create(0)
        folder.type = MenuSettings.FolderItem
        folder.folder.path = "file://" + testDirs.root
        rows.model = folder.items
        compare(rows.objectAt(0).label, folder.items.get(0).label)
        var sub = root.items.create()
        sub.type = MenuSettings.MenuItem
        sub.items.append(item)
        root.themeSettings = Settings.createMap(testCase)
        root.themeSettings[item._orv_id].icon = "themed.png"
        compare(item.icon, "themed.png")
        verify(MenuSettings.save(root, "qmlmenus", "main"))
        var loaded = MenuSettings.load("qmlmenus", "main", testCase)
        compare([loaded.items.get(0).folder.path, loaded.items.get(1).items.get(0)._orv_id],
                ["file://" + testDirs.root, item._orv_id])
    }
}

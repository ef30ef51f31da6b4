import QtQuick 2.15
import QtTest 1.2
import Orvane 1.0

TestCase {
    id: testCase
    name: "SettingsBinding"

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

    Component {
        id: holderComponent
        QtObject {
            property var settings
            property QtObject typed
        }
    }

    SignalSpy {
        id: sourceSpy
        signalName: "sourceChanged"
    }

    function freshMap() {
        var created = Settings.createMap(testCase)
        verify(!Settings.isModified(created))
        return created
    }

    function test_bothDirections() {
        map = freshMap()
        map.size = 20
        verify(Settings.isModified(map))
        Settings.setModified(map, false)

        var first = boundComponent.createObject(testCase)
        compare(first.size, 20)
        compare(map.title, "clock")
        verify(map.hasOwnProperty("title") === false)
        verify(Settings.isModified(map)) // the added key marks it

        var second = boundComponent.createObject(testCase)
        compare(second.size, 20)
        first.size = 30
        compare(map.size, 30)
        compare(second.size, 30)
        map.title = "alarm"
        compare(first.title, "alarm")
        compare(second.title, "alarm")

        // A value that no int can take leaves the property alone; a var takes anything.
        map.size = Settings.createList(testCase)
        compare(first.size, 30)
        map.anything = "text"
        compare(first.anything, "text")
        first.destroy()
        second.destroy()
    }

    function test_noEcho() {
        map = freshMap()
        map.size = 10
        map.title = "clock"
        map.anything = 5
        Settings.setModified(map, false)
        var object = boundComponent.createObject(testCase)
        compare(object.anything, 5)
        // Every key matched or was applied: nothing was written back.
        verify(!Settings.isModified(map))
        object.size = 11
        verify(Settings.isModified(map))
        object.destroy()
    }

    function test_sourceChanges() {
        map = freshMap()
        var object = boundComponent.createObject(testCase)
        sourceSpy.target = object.SettingsMap
        sourceSpy.clear()
        object.SettingsMap.source = map
        compare(sourceSpy.count, 0)

        ignoreWarning("SettingsMapAttached::setSource: invalid Settings")
        object.SettingsMap.source = Settings.createList(testCase)
        compare(object.SettingsMap.source, map)
        compare(sourceSpy.count, 0)

        var other = freshMap()
        other.size = 77
        object.SettingsMap.source = other
        compare(sourceSpy.count, 1)
        compare(object.size, 77)
        compare(other.title, "clock")
        map.size = 5
        compare(object.size, 77) // the old map is no longer heard

        object.SettingsMap.source = null
        compare(sourceSpy.count, 2)
        compare(sourceSpy.signalArguments[1][0], null)
        other.size = 1
        compare(object.size, 77)
        object.size = 2
        compare(other.size, 1)
        object.destroy()
    }

    function test_destroyedMap() {
        map = freshMap()
        var object = boundComponent.createObject(testCase)
        compare(object.SettingsMap.source, map)
        var doomed = map
        map = null
        doomed.destroy()
        wait(0)
        compare(object.SettingsMap.source, null)
        object.size = 3 // nowhere to go, and no crash
        compare(object.size, 3)
        object.destroy()
    }

    function test_uncreatableList() {
        var error = ""
        try {
            Qt.createQmlObject("import Orvane 1.0; SettingsList {}", testCase)
        } catch (e) {
            error = e.qmlErrors[0].message
        }
        compare(error, "SettingsList is uncreatable")
    }

    function test_makeMapAndList() {
        var holder = holderComponent.createObject(testCase)
        var made = Settings.makeMap(holder, "settings")
        verify(made !== null)
        compare(Settings.makeMap(holder, "settings"), made)
        verify(!Settings.isModified(made))
        var list = Settings.makeList(holder, "typed")
        verify(list !== null)
        compare(list.count, 0)
        compare(Settings.makeList(holder, "typed"), list)
        ignoreWarning("Imports::bindSettingsT: cannot bind property: missing")
        compare(Settings.makeMap(holder, "missing"), null)
        holder.destroy()
    }

    function test_uncreatable() {
        var error = ""
        try {
            Qt.createQmlObject("import Orvane 1.0; SettingsMap {}", testCase)
        } catch (e) {
            error = e.qmlErrors[0].message
        }
        compare(error, "SettingsMap is uncreatable")
    }

    function test_saveAndLoad() {
        var tree = freshMap()
        tree.name = "desk"
        tree.ratio = 0.25
        tree.items = [1, "two", {three: 3}]
        var nested = Settings.makeList(tree, "nested")
        compare(tree.nested, nested) // a map takes the new list as a key
        var list = Settings.createList(tree)
        list.append("a")
        list.append(true)
        list.insert(0, 7)
        tree.list = list
        verify(Settings.save(tree, "qmltest", "main"))
        verify(!Settings.isModified(tree))
        verify(Settings.exists("qmltest", "main"))
        var entries = Settings.list("qmltest")
        compare(entries.length, 1)
        compare(entries[0].name, "main")
        compare(entries[0].isDir, false)

        var back = Settings.load("qmltest", "main", testCase)
        compare(back.name, "desk")
        compare(back.ratio, 0.25)
        compare(back.items[2].three, 3)
        compare(back.nested.count, 0)
        compare(back.list.count, 3)
        compare(back.list.get(0), 7)
        compare(back.list.get(2), true)
        compare(JSON.stringify(back), "null")
        verify(Settings.remove("qmltest"))
        verify(!Settings.exists("qmltest", "main"))
    }
}

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

    function test_bothDirections() {
        map = Settings.createMap(testCase)
        map.size = 20
        map.anything = 5
        verify(Settings.isModified(map))
        Settings.setModified(map, false)
        var first = boundComponent.createObject(testCase)
        compare(first.size, 20)
        compare(first.anything, 5)
        compare(map.title, "clock")
        verify(Settings.isModified(map)) // by the added key only
        Settings.setModified(map, false)
        var second = boundComponent.createObject(testCase)
        verify(!Settings.isModified(map)) // every key matched: nothing written back
        first.size = 30
        verify(Settings.isModified(map))
        compare(second.size, 30)
        map.title = "alarm"
        compare([first.title, second.title], ["alarm", "alarm"])
        map.size = Settings.createList(testCase) // no int takes it
        compare(first.size, 30)
        map.anything = "text" // a var takes anything
        compare(first.anything, "text")
        first.destroy()
        second.destroy()
    }

    function test_sourceChanges() {
        map = Settings.createMap(testCase)
        var object = boundComponent.createObject(testCase)
        sourceSpy.target = object.SettingsMap
        sourceSpy.clear()
        object.SettingsMap.source = map
        compare(sourceSpy.count, 0)
        ignoreWarning("SettingsMapAttached::setSource: invalid Settings")
        object.SettingsMap.source = Settings.createList(testCase)
        compare(object.SettingsMap.source, map)

        var other = Settings.createMap(testCase)
        other.size = 77
        object.SettingsMap.source = other
        compare(sourceSpy.count, 1)
        compare([object.size, other.title], [77, "clock"])
        map.size = 5
        compare(object.size, 77) // the old map is no longer heard

        object.SettingsMap.source = null
        compare(sourceSpy.signalArguments[1][0], null)
        other.size = 1
        object.size = 2
        compare([object.size, other.size], [2, 1])

        object.SettingsMap.source = other
        compare(object.size, 1)
        var doomed = other
        other = null
        doomed.destroy()
        wait(0)
        compare(object.SettingsMap.source, null)
        object.size = 3 // nowhere to go, and no crash
        object.destroy()
    }

    function test_makeMapAndList() {
        var holder = holderComponent.createObject(testCase)
        var made = Settings.makeMap(holder, "settings")
        verify(made !== null && !Settings.isModified(made))
        compare(Settings.makeMap(holder, "settings"), made)
        var list = Settings.makeList(holder, "typed")
        compare(list.count, 0)
        compare(Settings.makeList(holder, "typed"), list)
        ignoreWarning("Imports::bindSettingsT: cannot bind property: missing")
        compare(Settings.makeMap(holder, "missing"), null)
        holder.destroy()
    }

    function test_uncreatable() {
        for (var type of ["SettingsMap", "SettingsList"]) {
            var error = ""
            try {
                Qt.createQmlObject("import Orvane 1.0; " + type + " {}", testCase)
            } catch (e) {
                error = e.qmlErrors[0].message
            }
            compare(error, type + " is uncreatable")
        }
    }

    function test_saveAndLoad() {
        var tree = Settings.createMap(testCase)
        tree.name = "desk"
        tree.items = [1, "two", {three: 3}]
        var list = Settings.makeList(tree, "list") // a map takes the new list as a key
        list.append("a")
        list.insert(0, 7)
        verify(Settings.save(tree, "qmltest", "main"))
        verify(!Settings.isModified(tree))
        compare(JSON.stringify(Settings.list("qmltest")), '[{"isDir":false,"name":"main"}]')

        var back = Settings.load("qmltest", "main", testCase)
        compare(back.name, "desk")
        compare(back.items[2].three, 3)
        compare([back.list.count, back.list.get(0), back.list.get(1)], [2, 7, "a"])
        compare(JSON.stringify(back), "null")
        verify(Settings.remove("qmltest") && !Settings.exists("qmltest", "main"))
    }
}

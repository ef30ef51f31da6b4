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
        wait(0)
        compare(object.SettingsMap.source, null) // and no crash on writes
        object.size = 3
    }
}

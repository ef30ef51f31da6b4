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
        tryCompare(object.SettingsMap, "source", null) // and no crash on writes
        object.size = 3
    }

    Component {
        id: looksComponent
        QtObject {
            property color tint: "#ff8800"
            property font face: Qt.font({ family: "Sans", pointSize: 12 })
            property date day: new Date(2024, 0, 2, 10, 20, 30)
            property url link: "file:///a%20b"
            property var list: [1, "two", { three: 3 }]
            SettingsMap.source: testCase.map
        }
    }

    // What a widget binds comes back after a save and a load, whatever its type.
    function test_boundTypesSurvive() {
        map = Settings.createMap(testCase)
        var saved = createTemporaryObject(looksComponent, testCase)
        verify(Settings.save(map, "looks", "main"))
        map = Settings.load("looks", "main", testCase)
        var loaded = createTemporaryObject(looksComponent, testCase, { tint: "blue",
            face: Qt.font({ family: "Serif" }), day: new Date(0), link: "", list: [] })
        compare(loaded.tint, saved.tint)
        compare([loaded.face.family, loaded.face.pointSize], ["Sans", 12])
        compare(loaded.day.getTime(), saved.day.getTime())
        compare(loaded.link, saved.link)
        compare(JSON.stringify(loaded.list), JSON.stringify(saved.list))
    }
}

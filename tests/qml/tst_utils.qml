import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.Private 1.0 as ORV

TestCase {
    name: "Utils"

    // fromUserInput resolves a relative name only when it exists in the directory.
    function exists(dir, name) {
        return Url.info(Url.fromUserInput(name, dir)).localFile
    }

    function test_uuid() {
        var a = Utils.createUuid()
        var b = Utils.createUuid()
        verify(/^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$/.test(a), a)
        verify(a !== b)
    }

    function test_cachePath() {
        compare(Utils.cachePath(""), testDirs.cache)
        verify(!exists(testDirs.cache, "one"))
        compare(Utils.cachePath("one/two"), testDirs.cache + "/one/two")
        verify(exists(testDirs.cache, "one"))
        verify(exists(testDirs.cache + "/one", "two"))
        compare(Utils.cachePath("./x/../y"), testDirs.cache + "/./x/../y")
        verify(exists(testDirs.cache, "y"))
    }

    function test_storagePath() {
        compare(Utils.storagePath("widget/data"), testDirs.storage + "/widget/data")
        compare(Utils.storagePath("widget/data"), testDirs.storage + "/widget/data")
        verify(exists(testDirs.storage + "/widget", "data"))
        verify(!exists(testDirs.cache, "widget"))
    }

    function test_impossiblePath() {
        ignoreWarning("Utils::cachePath: cannot make path: /dev/null/x")
        compare(Utils.cachePath("/dev/null/x"), "")
        ignoreWarning("Utils::storagePath: cannot make path: /dev/null/y")
        compare(Utils.storagePath("/dev/null/y"), "")
    }

    function test_local8Bit() {
        compare(Utils.fromLocal8Bit(Utils.toLocal8Bit("plain text 123")), "plain text 123")
        var pos = Utils.cursorPosition()
        verify(pos.x !== undefined && pos.y !== undefined)
    }

    function test_resources() {
        compare(String(ORV.NativeCore).indexOf("Orvane::Core"), 0)
        compare(Resources.resolve("qrc:/no/such/resource"), null)
        var all = Resources.filter(/.*/, /.*/)
        compare(JSON.stringify(all), "[]")
    }
}

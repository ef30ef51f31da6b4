import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.impl 1.0 as Impl
import Orvane.Private 1.0 as ORV

TestCase {
    id: testCase
    name: "Components"

    SignalSpy { id: added; target: ORV.Core.system; signalName: "notificationAdded" }
    SignalSpy { id: removed; target: ORV.Core.system; signalName: "notificationRemoved" }

    Component { id: notificationComponent; Notification { title: "Hello"; message: "World" } }
    Component { id: windowComponent; Window { width: 40; height: 30 } }
    Component { id: nativeWindowComponent; Impl.Window {} }
    Component { id: nativeUtilsComponent; Impl.Utils {} }
    Component {
        id: containerComponent
        Container { QtObject { objectName: "a" } QtObject { objectName: "b" } }
    }
    Component {
        id: moduleComponent
        Module { QtObject { objectName: "first" } QtObject { objectName: "second" } }
    }

    function init() {
        added.clear()
        removed.clear()
    }

    function test_notificationLifecycle() {
        var n = notificationComponent.createObject(testCase, { active: true })
        compare(added.count, 1)
        compare(added.signalArguments[0][0], n)
        compare(ORV.Core.system.notifications.indexOf(n), 0)
        compare(n.icon.width, 32)
        compare(n.icon.height, 32)
        compare(n.icon.color, "#ffffff")
        n.active = false
        compare(removed.count, 1)
        compare(ORV.Core.system.notifications.length, 0)
        n.active = true
        compare(added.count, 2)
        n.destroy()
        tryCompare(removed, "count", 2)
        compare(ORV.Core.system.notifications.length, 0)
        compare(added.count, 2)
    }

    function test_notificationInactiveDestruction() {
        var n = notificationComponent.createObject(testCase)
        verify(!n.active)
        n.destroy()
        wait(0)
        compare(added.count, 0)
        compare(removed.count, 0)
    }

    function test_containerAndModule() {
        var c = containerComponent.createObject(testCase)
        compare(c.data.length, 2)
        compare(c.data[0].objectName, "a")
        compare(c.data[1].objectName, "b")
        var m = moduleComponent.createObject(testCase)
        compare(m.data.length, 2)
        compare(m.data[0].objectName, "first")
        compare(m.data[1].objectName, "second")
        compare(m.initialize(), true)
        compare(m.ready(), undefined)
        compare(m.cleanup(), undefined)
        c.destroy()
        m.destroy()
    }

    // The same names in Orvane.impl are the native bases, without what the components add.
    function test_nativeBases() {
        var utils = nativeUtilsComponent.createObject(testCase)
        compare(utils.printError, undefined)
        compare(typeof Utils.printError, "function")
        compare(utils.cachePath("native"), testDirs.cache + "/native")
        compare(Utils.cachePath("native"), testDirs.cache + "/native")
        utils.destroy()
        compare(Impl.DefaultAction.title, "<N/A>")
        verify(!Impl.DefaultAction.enabled)
        compare(Impl.DefaultAction.label, "")
    }

    function test_windowTransparent() {
        var w = nativeWindowComponent.createObject(null)
        compare(w.color, Qt.rgba(0, 0, 0, 0))
        w.destroy()
        var styled = windowComponent.createObject(null)
        compare(styled.color, "#ffffff")
        styled.destroy()
    }

    function test_printError() {
        Utils.printError(undefined)
        ignoreWarning("null")
        Utils.printError(null)
        ignoreWarning("plain text")
        Utils.printError("plain text")
        ignoreWarning("42")
        Utils.printError(42)
        var error
        try {
            throw new Error("it broke")
        } catch (e) {
            error = e
        }
        compare(error.lineNumber, 108)
        ignoreWarning(Qt.resolvedUrl("tst_components.qml") + ":" + 108 + ": Error: it broke")
        Utils.printError(error)
    }
}

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
    Component { id: notification; Notification { title: "Hello" } }
    Component { id: container; Container { QtObject { objectName: "a" } QtObject { objectName: "b" } } }
    Component { id: module; Module { QtObject { objectName: "a" } QtObject { objectName: "b" } } }
    Component { id: nativeUtils; Impl.Utils {} }
    Component { id: nativeWindow; Impl.Window {} }
    Component { id: window; Window {} }

    function test_notification() {
        var n = notification.createObject(testCase, { active: true })
        compare(added.count, 1)
        verify(ORV.Core.system.notifications.indexOf(n) === 0)
        compare([n.icon.width, n.icon.height, String(n.icon.color)], [32, 32, "#ffffff"])
        n.active = false
        compare(removed.count, 1)
        compare(ORV.Core.system.notifications.length, 0)
        n.active = true
        n.destroy()
        tryCompare(removed, "count", 2)
        compare(ORV.Core.system.notifications.length, 0)

        // Destroying an unpublished one tells the host nothing.
        notification.createObject(testCase).destroy()
        wait(0)
        compare([added.count, removed.count], [2, 2])
    }

    function test_smallComponents() {
        var objects = [container.createObject(testCase), module.createObject(testCase)]
        for (var i = 0; i < 2; ++i)
            compare([objects[i].data.length, objects[i].data[0].objectName, objects[i].data[1].objectName], [2, "a", "b"])
        compare([objects[1].initialize(), objects[1].ready(), objects[1].cleanup()], [true, undefined, undefined])

        // The names in Orvane.impl are the native bases, without what the components add.
        var utils = nativeUtils.createObject(testCase)
        compare([typeof utils.printError, typeof Utils.printError], ["undefined", "function"])
        compare(utils.cachePath("n"), testDirs.cache + "/n")
        compare([Impl.DefaultAction.title, Impl.DefaultAction.enabled, Impl.DefaultAction.label], ["<N/A>", false, ""])
        var windows = [nativeWindow.createObject(null), window.createObject(null)]
        compare(windows[0].color, Qt.rgba(0, 0, 0, 0))
        compare(windows[1].color, "#ffffff")
        windows.forEach(function (w) { w.destroy() })
    }

    function test_printError() {
        Utils.printError(undefined)
        var values = [null, "plain text", 42]
        for (var i = 0; i < values.length; ++i) {
            ignoreWarning(String(values[i]))
            Utils.printError(values[i])
        }
        var error
        try { throw new Error("it broke") } catch (e) { error = e }
        compare(error.lineNumber, 64)
        ignoreWarning(Qt.resolvedUrl("tst_components.qml") + ":64: Error: it broke")
        Utils.printError(error)
    }
}

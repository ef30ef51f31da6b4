import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.Private 1.0 as ORV

TestCase {
    id: testCase
    name: "Components"

    property QtObject doomed

    SignalSpy { id: added; target: ORV.Core.system; signalName: "notificationAdded" }
    SignalSpy { id: removed; target: ORV.Core.system; signalName: "notificationRemoved" }
    Component { id: notification; Notification { title: "Hello" } }

    function test_notification() {
        var n = notification.createObject(testCase, { active: true })
        compare([added.count, ORV.Core.system.notifications.indexOf(n)], [1, 0])
        n.active = false
        compare([removed.count, ORV.Core.system.notifications.length], [1, 0])
        n.active = true
        n.destroy()
        tryCompare(removed, "count", 2)
        compare(ORV.Core.system.notifications.length, 0)
        // Destroying an unpublished one tells the host nothing.
        doomed = notification.createObject(testCase)
        doomed.destroy()
        tryCompare(testCase, "doomed", null)
        compare([added.count, removed.count], [2, 2])
    }

    function test_printError() {
        Utils.printError(undefined)
        ;[null, "plain text", 42].forEach(function (value) {
            ignoreWarning(String(value))
            Utils.printError(value)
        })
        var error
        try { throw new Error("it broke") } catch (e) { error = e }
        ignoreWarning(Qt.resolvedUrl("tst_components.qml") + ":39: Error: it broke")
        Utils.printError(error)
    }

    function test_systemCallRuns() {
        var work = testDirs.root
        compare([SystemCall.command("echo > command.txt", work), SystemCall.execute("/bin/sh", "-c \"echo > execute.txt\"", work),
                 SystemCall.execute("/no/such/program")], [true, true, false])
        tryVerify(function () { return ["command.txt", "execute.txt"].every(f => Url.info(Url.fromUserInput(f, work)).localFile) })
    }
}

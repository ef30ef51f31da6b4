import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.Private 1.0 as ORV

TestCase {
    id: tc
    name: "SyncTimer"

    Component {
        id: timerComponent
        ORV.SyncTimer {
            property int ticks: 0
            onTriggered: ++ticks
        }
    }
    Component { id: sourceComponent; DataSource {} }
    Component { id: spyComponent; SignalSpy {} }

    function make(count, interval) {
        var timers = []
        for (var i = 0; i < count; ++i)
            timers.push(createTemporaryObject(timerComponent, tc, { interval: interval }))
        return timers
    }

    function test_hundredWakeOnce() {
        var timers = make(100, 100)
        var shared = timers[0].sharedTimers
        timers.forEach(function (t) { t.running = true })
        compare(timers[0].sharedTimers, shared + 1)
        var before = timers[0].wakeups
        wait(1050)
        var wakeups = timers[0].wakeups - before
        console.log("100 timers at 100 ms, 1050 ms: " + wakeups + " wake-ups")
        // A loaded machine may delay ticks, never multiply them: unshared would be 1000.
        verify(wakeups >= 5 && wakeups <= 11, "wake-ups: " + wakeups)
        // Every timer saw every wake-up.
        timers.forEach(function (t) { compare(t.ticks, wakeups) })
        timers.forEach(function (t) { t.running = false })
        compare(timers[0].sharedTimers, shared)
        var after = timers[0].wakeups
        wait(250)
        compare(timers[0].wakeups, after)
    }

    function test_hundredDataSources() {
        var spies = []
        var provider = Qt.resolvedUrl("TestProvider.qml")
        for (var i = 0; i < 100; ++i) {
            var ds = createTemporaryObject(sourceComponent, tc)
            ds.configuration = { source: provider, value: "reading", interval: 200 }
            spies.push(createTemporaryObject(spyComponent, tc, { target: ds, signalName: "updated" }))
        }
        wait(0)
        var timer = spies[0].target.$DataSourceData.data[0]
        verify(timer.running)
        spies.forEach(function (s) { s.clear() })
        var before = timer.wakeups
        wait(1050)
        var wakeups = timer.wakeups - before
        var updates = spies.reduce(function (sum, s) { return sum + s.count }, 0)
        console.log("100 data sources at 200 ms, 1050 ms: " + wakeups + " wake-ups, " + updates + " updates")
        verify(wakeups >= 2 && wakeups <= 6, "wake-ups: " + wakeups)
        compare(updates, 100 * wakeups)
    }

    function test_groups() {
        var a = make(3, 40)
        var b = make(2, 60)
        var zero = make(1, 0)[0]
        var shared = a[0].sharedTimers
        a.concat(b, [zero]).forEach(function (t) { t.running = true })
        // Interval 0 never joins a group.
        compare(a[0].sharedTimers, shared + 2)
        // Moving a running timer to another interval joins that group.
        a[2].interval = 60
        verify(a[2].running)
        b.forEach(function (t) { t.running = false })
        a[2].running = false
        compare(a[0].sharedTimers, shared + 1)
        a[0].ticks = 0
        b[0].ticks = 0
        tryVerify(function () { return a[0].ticks >= 3 }, 1000)
        compare([b[0].ticks, zero.ticks], [0, 0])
        // A handler may stop the others inside the same wake-up.
        a[0].triggered.connect(function () { a[1].running = false })
        a[1].ticks = 0
        tryVerify(function () { return a[0].ticks >= 5 }, 1000)
        compare(a[1].ticks, 0)
    }
}

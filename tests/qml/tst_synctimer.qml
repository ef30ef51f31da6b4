import QtQuick 2.12
import QtTest 1.2
import "settle.js" as Queued
import Orvane 1.0
import Orvane.Private 1.0 as ORV

TestCase {
    id: tc
    name: "SyncTimer"

    Component { id: timerComponent; ORV.SyncTimer { property int ticks: 0; onTriggered: ++ticks } }
    Component { id: sourceComponent; DataSource {} }

    function test_hundredSourcesWakeOnce() {
        var sources = [], updates = 0
        for (var i = 0; i < 100; ++i) {
            sources.push(createTemporaryObject(sourceComponent, tc))
            sources[i].updated.connect(function () { ++updates })
        }
        var timer = sources[0].$DataSourceData.data[0], shared = timer.sharedTimers
        var every = function (interval) {
            sources.forEach(function (ds) { ds.configuration = { source: Qt.resolvedUrl("TestProvider.qml"), value: "reading", interval: interval } })
        }
        every(100)
        compare(timer.sharedTimers, shared + 1)
        Queued.settle(tc)
        updates = 0
        var before = timer.wakeups
        tryVerify(function () { return timer.wakeups - before >= 5 }, 5000)
        // Every wake-up updates all hundred at once; unshared timers would wake a hundred times.
        compare(updates, 100 * (timer.wakeups - before))
        every(0)
        compare(timer.sharedTimers, shared)
    }

    function test_ticksOnWholeSeconds() {
        // Ticks fall on the wall clock's turns of the second, where a clock ticks too.
        var timer = createTemporaryObject(timerComponent, tc, { interval: 1000 }), phases = []
        timer.triggered.connect(function () { phases.push(Date.now() % 1000) })
        timer.running = true
        tryVerify(function () { return phases.length >= 2 }, 5000)
        verify(phases.every(function (phase) { return phase < 150 }), phases)
    }

    function test_groups() {
        var make = function (count, interval) {
            return Array.from({ length: count }, function () { return createTemporaryObject(timerComponent, tc, { interval: interval }) })
        }
        var a = make(3, 40), b = make(2, 60), zero = make(1, 0)[0], shared = zero.sharedTimers
        a.concat(b, [zero]).forEach(function (t) { t.running = true })
        // Interval 0 never joins a group; a running timer moved to another interval joins that group.
        compare(zero.sharedTimers, shared + 2)
        a[2].interval = 60
        b.forEach(function (t) { t.running = false })
        compare(zero.sharedTimers, shared + 2)
        a[2].running = false
        compare(a[0].sharedTimers, shared + 1)
        a[0].ticks = b[0].ticks = 0
        tryVerify(function () { return a[0].ticks >= 3 })
        compare([b[0].ticks, zero.ticks], [0, 0])
        // A handler may stop the others inside the same wake-up.
        a[0].triggered.connect(function () { a[1].running = false })
        a[1].ticks = 0
        tryVerify(function () { return a[0].ticks >= 5 })
        compare(a[1].ticks, 0)
    }
}

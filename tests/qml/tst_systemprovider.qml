import QtQuick 2.12
import QtTest 1.2
import "settle.js" as Queued
import Orvane 1.0

TestCase {
    id: tc
    name: "SystemProvider"

    // procfs/a and procfs/b: a two-processor machine, 150 of 500 jiffies busy between the two.
    readonly property string procfs: Qt.resolvedUrl("procfs").toString().replace("file://", "")

    Component { id: sourceComponent; DataSource {} }

    function source(configuration) {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = Object.assign({ source: "system", interval: 0 }, configuration)
        Queued.settle(tc)
        return ds
    }

    function test_live() {
        var ds = source({ value: "memory" })
        compare([ds.title, ds.value.status, ds.value.unit], ["System : Memory", 0, "MiB"])
        verify(ds.value.current > 0 && ds.value.current < ds.value.maximum, ds.value.current)

        // A live CPU load is read afresh from the machine on every tick and stays within
        // 0 to 100 (what it computes from two readings, test_snapshots checks).
        var cpu = source({ value: "cpu", interval: 50 })
        compare([cpu.value.minimum, cpu.value.maximum, cpu.value.unit], [0, 100, "%"])
        var ticks = 0
        cpu.updated.connect(function () {
            ++ticks
            verify(cpu.value.current >= 0 && cpu.value.current <= 100, cpu.value.current)
        })
        var before = cpu.data.reader.fileReads()
        tryVerify(function () { return ticks >= 3 }, 5000)
        compare([cpu.data.reader.fileReads() - before, cpu.value.status], [ticks, 0])
    }

    function test_snapshots_data() {
        // The real machine's counters are above a's, so cpu starts afresh at a and reads at b.
        return [["cpu", "", ["a", "b"], 30, 100, "%"], ["memory", "", ["a"], 6144, 8192, "MiB"],
                ["memory", "GiB", ["a"], 6, 8, "GiB"], ["memory", "KiB", ["a"], 6291456, 8388608, "KiB"],
                ["swap", "", ["a"], 512, 1024, "MiB"], ["uptime", "", ["a"], 12345.67, 12345.67, "s"],
                ["load", "", ["a"], 0.5, 2, ""]].map(function (r) {
            return { tag: r[0] + " " + r[1], value: r[0], unit: r[1], roots: r[2], current: r[3], maximum: r[4], shown: r[5] }
        })
    }

    function test_snapshots(row) {
        var ds = source({ value: row.value, unit: row.unit })
        row.roots.forEach(function (root) {
            ds.data.reader.root = procfs + "/" + root
            ds.update()
        })
        compare([ds.value.current, ds.value.maximum, ds.value.status, ds.value.unit],
                [row.current, row.maximum, 0, row.shown])
        // An unreadable machine marks the value and keeps the last reading.
        ds.data.reader.root = "/nonexistent"
        ds.update()
        compare([ds.value.status, ds.value.current], [1, row.current])
    }

    function test_valuesMadeWhenAsked() {
        var ds = source({ value: "memory", unit: "GiB" })
        compare(Object.keys(ds.data.values), ["memory"])
        verify(ds.data.query("memory") === ds.value)
        compare([ds.data.query("nonsense"), ds.data.query("toString"), ds.data.query(undefined)], [null, null, null])
        compare(Object.keys(ds.data.values), ["memory"])
        // Every source has values of its own: the unit one asks for is not another's.
        var other = source({ value: "memory" })
        verify(other.data !== ds.data)
        compare([ds.value.unit, other.value.unit], ["GiB", "MiB"])
        fuzzyCompare(other.value.maximum / 1024, ds.value.maximum, 1e-9)
    }

    function test_sharedReading() {
        // Twenty sources on one timer read /proc/stat once a tick between them.
        var sources = []
        for (var i = 0; i < 20; ++i)
            sources.push(source({ value: "cpu", interval: 40 }))
        var reader = sources[0].data.reader
        var ticks = 0
        sources[0].updated.connect(function () { ++ticks })
        var before = reader.fileReads()
        tryVerify(function () { return ticks >= 3 }, 5000)
        compare(reader.fileReads() - before, ticks)
        // Sharing the reading changes nothing that a source shows.
        sources.forEach(function (s) {
            compare([s.value.current, s.value.status], [sources[0].value.current, 0])
        })
    }
}

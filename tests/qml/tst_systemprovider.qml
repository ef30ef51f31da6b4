import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.Private 1.0 as ORV

TestCase {
    id: tc
    name: "SystemProvider"

    readonly property string procfs: Qt.resolvedUrl("procfs").toString().replace("file://", "")

    Component { id: sourceComponent; DataSource {} }
    Component { id: readerComponent; ORV.ProcReader {} }

    function source(configuration) {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = configuration
        wait(0)
        return ds
    }

    function busy(ms) {
        var end = Date.now() + ms
        var x = 0
        while (Date.now() < end)
            x += Math.sqrt(x + 1)
        return x
    }

    function test_cpuLive() {
        var ds = source({ source: "system", value: "cpu", interval: 150 })
        compare(ds.title, "System : CPU")
        compare(ds.value.minimum, 0)
        compare(ds.value.maximum, 100)
        compare(ds.value.unit, "%")
        var seen = {}
        var distinct = 0
        for (var i = 0; i < 6; ++i) {
            // Alternate load so the readings really move.
            if (i % 2)
                busy(150)
            else
                wait(150)
            var c = ds.value.current
            verify(c >= 0 && c <= 100, "cpu " + c)
            if (!seen[c]) {
                seen[c] = true
                ++distinct
            }
        }
        console.log("cpu readings: " + Object.keys(seen).join(", "))
        verify(distinct >= 2, "cpu readings did not change")
        compare(ds.value.status, 0)
    }

    function test_memory() {
        var ds = source({ source: "system", value: "memory" })
        var mib = ds.value.current
        var total = ds.value.maximum
        compare(ds.value.unit, "MiB")
        verify(mib > 16 && mib < total, "memory " + mib + " of " + total)
        verify(total > 64 && total < 64 * 1024 * 1024, "total " + total)
        var gib = source({ source: "system", value: "memory", unit: "GiB" })
        compare(gib.value.unit, "GiB")
        fuzzyCompare(gib.value.maximum, total / 1024, 1e-9)
    }

    function test_uptimeAndLoad() {
        var ds = source({ source: "system", value: "uptime", interval: 100 })
        var first = ds.value.current
        verify(first > 0)
        compare(ds.value.unit, "s")
        tryVerify(function () { return ds.value.current > first }, 2000)
        var load = source({ source: "system", value: "load" })
        verify(load.value.current >= 0)
        verify(load.value.maximum >= 1)
        var swap = source({ source: "system", value: "swap" })
        verify(swap.value.current >= 0 && swap.value.current <= swap.value.maximum)
    }

    function test_reader() {
        var reader = createTemporaryObject(readerComponent, tc, { root: procfs + "/a" })
        compare(reader.cpu(), { busy: 200, total: 1000 })
        compare(reader.memory(), { total: 8388608, available: 2097152, swapTotal: 1048576, swapFree: 524288 })
        compare(reader.uptime(), 12345.67)
        compare(reader.loadAverage(), [0.5, 0.25, 0.1])
        compare(reader.cpuCount(), 2)
        reader.root = "/nonexistent"
        compare(reader.cpu(), {})
        compare(reader.memory(), {})
        compare(reader.uptime(), -1)
        compare(reader.loadAverage(), [])
    }

    function test_readingsFromFiles() {
        var ds = source({ source: "system", value: "cpu", interval: 0 })
        var reader = ds.data.reader
        reader.root = procfs + "/a"
        ds.update()
        reader.root = procfs + "/b"
        ds.update()
        // (350 - 200) busy of (1500 - 1000) jiffies.
        compare(ds.value.current, 30)
        compare(ds.value.status, 0)
        var memory = source({ source: "system", value: "memory", interval: 0 })
        memory.data.reader.root = procfs + "/a"
        memory.update()
        compare(memory.value.current, 6144)
        compare(memory.value.maximum, 8192)
        // An unreadable machine marks the value and keeps the last reading.
        memory.data.reader.root = "/nonexistent"
        memory.update()
        compare(memory.value.status, 1)
        compare(memory.value.current, 6144)
        ds.data.reader.root = "/nonexistent"
        ds.update()
        compare(ds.value.status, 1)
    }

    function test_unknownKey() {
        var ds = source({ source: "system", value: "gpu" })
        compare(ds.title, "<N/A>")
        compare(ds.$DataSourceData.data[0].running, false)
    }
}

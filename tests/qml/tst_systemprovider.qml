import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.Private 1.0 as ORV

TestCase {
    id: tc
    name: "SystemProvider"

    // Two snapshots of a two-processor machine: 150 of 500 jiffies busy between them.
    readonly property string procfs: Qt.resolvedUrl("procfs").toString().replace("file://", "")

    Component { id: sourceComponent; DataSource {} }
    Component { id: readerComponent; ORV.ProcReader {} }

    function source(value, extra) {
        var ds = createTemporaryObject(sourceComponent, tc)
        var configuration = { source: "system", value: value }
        for (var key in extra)
            configuration[key] = extra[key]
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
        var ds = source("cpu", { interval: 150 })
        compare([ds.title, ds.value.minimum, ds.value.maximum, ds.value.unit], ["System : CPU", 0, 100, "%"])
        var seen = []
        var jiffies = ds.value.lastTotal
        // Alternate idle and busy ticks so the readings really move; a machine loaded
        // by others may need a few more.
        for (var i = 0; i < 24 && (i < 6 || seen.length < 2); ++i) {
            if (i % 2)
                busy(150)
            else
                wait(150)
            var c = ds.value.current
            verify(c >= 0 && c <= 100, "cpu " + c)
            if (seen.indexOf(c) < 0)
                seen.push(c)
        }
        console.log("cpu readings: " + seen.join(", "))
        verify(seen.length >= 2, "cpu readings did not change")
        verify(ds.value.lastTotal > jiffies, "the counters were not read again")
        compare(ds.value.status, 0)
    }

    function test_otherValues() {
        var memory = source("memory")
        var total = memory.value.maximum
        compare(memory.value.unit, "MiB")
        verify(memory.value.current > 16 && memory.value.current < total, "memory " + memory.value.current)
        verify(total > 64 && total < 64 * 1024 * 1024, "total " + total)
        var gib = source("memory", { unit: "GiB" })
        compare(gib.value.unit, "GiB")
        fuzzyCompare(gib.value.maximum, total / 1024, 1e-9)
        var uptime = source("uptime", { interval: 100 })
        var first = uptime.value.current
        verify(first > 0)
        tryVerify(function () { return uptime.value.current > first }, 2000)
        var load = source("load")
        verify(load.value.current >= 0 && load.value.maximum >= 1)
        var swap = source("swap")
        verify(swap.value.current >= 0 && swap.value.current <= swap.value.maximum)
        var unknown = source("gpu")
        compare([unknown.title, unknown.$DataSourceData.data[0].running], ["<N/A>", false])
    }

    function test_reader() {
        var reader = createTemporaryObject(readerComponent, tc, { root: procfs + "/a" })
        compare(reader.cpu(), { busy: 200, total: 1000 })
        compare(reader.memory(), { total: 8388608, available: 2097152, swapTotal: 1048576, swapFree: 524288 })
        compare([reader.uptime(), reader.loadAverage(), reader.cpuCount()], [12345.67, [0.5, 0.25, 0.1], 2])
        reader.root = "/nonexistent"
        compare([reader.cpu(), reader.memory(), reader.uptime(), reader.loadAverage()], [{}, {}, -1, []])
    }

    function test_readingsFromFiles() {
        var cpu = source("cpu", { interval: 0 })
        cpu.data.reader.root = procfs + "/a"
        cpu.update()
        cpu.data.reader.root = procfs + "/b"
        cpu.update()
        compare([cpu.value.current, cpu.value.status], [30, 0])
        var memory = source("memory", { interval: 0 })
        memory.data.reader.root = procfs + "/a"
        memory.update()
        compare([memory.value.current, memory.value.maximum], [6144, 8192])
        // An unreadable machine marks the value and keeps the last reading.
        memory.data.reader.root = "/nonexistent"
        memory.update()
        compare([memory.value.status, memory.value.current], [1, 6144])
        cpu.data.reader.root = "/nonexistent"
        cpu.update()
        compare([cpu.value.status, cpu.value.current], [1, 30])
    }
}

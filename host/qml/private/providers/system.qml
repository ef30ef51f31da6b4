import QtQml 2.12
import Orvane.Templates 1.0 as T
import Orvane.Private 1.0 as ORV

// Live readings of this machine. Keys: "cpu" (load in percent), "memory" (in use,
// total as maximum), "swap" (in use), "uptime" (seconds), "load" (1-minute load
// average, processors as maximum). Memory and swap follow the unit the source
// asks for: "KiB", "MiB" (default) or "GiB". A reading that fails sets status 1.
T.Data {
    id: system

    title: "System"
    values: ({ cpu: cpu, memory: memory, swap: swap, uptime: uptime, load: load })

    readonly property ORV.ProcReader reader: ORV.ProcReader {}

    function scaleOf(unit) {
        return unit === "KiB" ? 1 : unit === "GiB" ? 1024 * 1024 : 1024
    }
    function unitOf(unit) {
        return unit === "KiB" || unit === "GiB" ? unit : "MiB"
    }

    readonly property T.Value cpu: T.Value {
        id: cpu

        // Jiffies at the previous reading; the load is the busy share since then.
        property real lastBusy: -1
        property real lastTotal: -1

        title: "CPU"
        unit: "%"
        minimum: 0
        maximum: 100
        update.refresh: function () {
            var t = system.reader.cpu()
            if (t.total === undefined) {
                cpu.status = 1
                return
            }
            var total = t.total - cpu.lastTotal
            if (cpu.lastTotal >= 0 && total > 0) {
                var ratio = (t.busy - cpu.lastBusy) / total
                cpu.current = Math.max(0, Math.min(100, ratio * 100))
            }
            // Two readings within one jiffy keep the last load; counters that went
            // back (another machine's files) start afresh.
            if (total !== 0 || cpu.lastTotal < 0) {
                cpu.lastBusy = t.busy
                cpu.lastTotal = t.total
            }
            cpu.status = 0
        }
        Component.onCompleted: update.execute()
    }

    readonly property T.Value memory: T.Value {
        id: memory

        title: "Memory"
        unit: system.unitOf(update.unit)
        update.refresh: function () {
            var m = system.reader.memory()
            if (m.total === undefined) {
                memory.status = 1
                return
            }
            var scale = system.scaleOf(memory.update.unit)
            memory.maximum = m.total / scale
            memory.current = (m.total - m.available) / scale
            memory.status = 0
        }
    }

    readonly property T.Value swap: T.Value {
        id: swap

        title: "Swap"
        unit: system.unitOf(update.unit)
        update.refresh: function () {
            var m = system.reader.memory()
            if (m.swapTotal === undefined || m.swapFree === undefined) {
                swap.status = 1
                return
            }
            var scale = system.scaleOf(swap.update.unit)
            swap.maximum = m.swapTotal / scale
            swap.current = (m.swapTotal - m.swapFree) / scale
            swap.status = 0
        }
    }

    readonly property T.Value uptime: T.Value {
        id: uptime

        title: "Uptime"
        unit: "s"
        update.refresh: function () {
            var seconds = system.reader.uptime()
            if (seconds < 0) {
                uptime.status = 1
                return
            }
            uptime.current = seconds
            uptime.maximum = seconds
            uptime.status = 0
        }
    }

    readonly property T.Value load: T.Value {
        id: load

        title: "Load"
        update.refresh: function () {
            var averages = system.reader.loadAverage()
            if (averages.length < 1) {
                load.status = 1
                return
            }
            load.maximum = Math.max(1, system.reader.cpuCount())
            load.current = averages[0]
            load.status = 0
        }
    }
}

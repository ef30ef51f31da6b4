import QtQuick 2.12
import QtTest 1.2
import "settle.js" as Queued
import Orvane 1.0
import Orvane.Private 1.0 as ORV
import Orvane.impl 1.0 as Impl

TestCase {
    id: tc
    name: "DataSource"

    readonly property string provider: Qt.resolvedUrl("TestProvider.qml")
    readonly property string processor: Qt.resolvedUrl("TestProcessor.qml")
    property var journal: []

    Component { id: sourceComponent; DataSource {} }
    Component { id: rawComponent; DataSourceRawOutput {} }
    Component { id: progressComponent; DataSourceProgressOutput {} }

    Connections {
        target: ORV.Shared
        function onProcessorLoaded(p) { tc.journal.push("load:" + p.configuration.tag) }
        function onProcessorDestroying(p) { tc.journal.push("destroy:" + p.configuration.tag) }
    }

    function timerOf(ds) { return ds.$DataSourceData.data[0] }
    function config(extra) { return Object.assign({ source: provider, value: "reading", interval: 100000 }, extra) }
    function loaded(extra) {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = config(extra)
        Queued.settle(tc)
        verify(ds.$DataSourceData.initialized)
        return ds
    }
    function record(ds) {
        var log = []
        ds.updated.connect(function () { log.push("updated") })
        ds.$DataSourceData.processOutput.connect(function () { log.push("processOutput") })
        ds.$DataSourceData.resetOutput.connect(function () { log.push("resetOutput") })
        return log
    }

    function test_timer() {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = { source: provider, value: "reading" }
        compare([ds.title, timerOf(ds).interval, timerOf(ds).running], ["Test : Reading", 1000, true])
        ds.configuration = config({ interval: 0 })
        compare(timerOf(ds).running, false)
    }

    function test_updateOrder() {
        var ds = createTemporaryObject(sourceComponent, tc), log = record(ds)
        ds.configuration = config({ update: "u1", unit: "k" })
        // Readings changed inside execute() must not cause outputs of their own.
        ds.data.hook = function (v) {
            log.push("execute:" + v.update.configuration + ":" + v.update.unit); ++v.current; --v.minimum; ++v.maximum
        }
        log.length = 0
        Queued.settle(tc)
        compare(log, ["execute:u1:k", "processOutput", "updated", "resetOutput"])
        for (var i = 0; i < 3; ++i) {
            log.length = 0
            ds.update()
            compare(log, ["execute:u1:k", "processOutput", "updated"])
        }
        compare(ds.$DataSourceData.processContext.output, 34)
        // Outside update() a changed reading makes one output; the status is no reading.
        log.length = 0
        ds.value.current = 3
        ds.value.status = 2
        compare(log, ["processOutput"])
    }

    function test_configurationCoalesced() {
        var ds = loaded({ update: "a" }), log = record(ds)
        ds.configuration = config({ update: "b" })
        ds.configuration = config({ update: "c" })
        compare([log, ds.value.update.configuration], [[], "a"])
        Queued.settle(tc)
        compare([log, ds.value.update.configuration], [["processOutput", "updated", "resetOutput"], "c"])
    }

    function test_modes_data() {
        return [["current", 0, 30, 40], ["null", null, 30, 40], ["inverse", DataSource.Inverse, 70, 60],
                ["maximum", DataSource.Maximum, 100, 100], ["minimum", DataSource.Minimum, 0, 0], ["invalid", 7, 30, 40]]
            .map(function (r) { return { tag: r[0], mode: r[1], output: r[2], later: r[3] } })
    }

    function test_modes(row) {
        if (row.mode === 7)
            ignoreWarning("invalid value mode")
        var ds = loaded({ mode: row.mode })
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        var progress = createTemporaryObject(progressComponent, tc, { source: ds })
        compare([ds.mode, raw.result, raw.unit], [row.mode || 0, row.output, "u"])
        ds.value.current = 40
        compare(raw.result, row.later)
        fuzzyCompare(progress.result, row.later / 100, 1e-12)
    }

    function test_processors() {
        var ds = loaded({ process: [{ type: processor, add: 5, tag: "a" }, { type: processor, add: 1, tag: "b" }] })
        var p = ds.$DataSourceData.processors
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        p[0].seen = p[1].seen = []
        ds.value.current = 50
        // One shared log: each processor in turn is updated, then executed, with the context filled in before.
        compare(p[0].seen.slice(0, 2), [["update", 50, 50, 100, 0, 1, "u"], ["execute", 50, 50, 100, 0, 1, "u"]])
        compare([p[0].seen.length, p[0].seen[2][1], raw.result], [4, 55, 56])
        journal = []
        ds.configuration = config({ process: { type: processor, tag: "c" } })
        Queued.settle(tc)
        compare(journal, ["destroy:a", "destroy:b", "load:c"])
    }

    function test_builtinProcessors() {
        // The initialising update already put the first reading, 30, into the window.
        var ds = loaded({ process: [{ type: "average", samples: 2 }, { type: "scale", factor: 2 }, "clamp"] })
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        compare([10, 20, 60, 80].map(function (reading) {
            ds.data.hook = function (v) { v.current = reading }
            ds.update()
            return raw.result
        }), [40, 30, 80, 100])
    }

    function test_badConfiguration_data() {
        return [
            { tag: "unknown source", configuration: { source: "nosuch", value: "cpu" }, warning: /cannot load: nosuch/ },
            { tag: "missing file", configuration: config({ source: Qt.resolvedUrl("NoSuch.qml") }), warning: /cannot load/ },
            { tag: "no value key", configuration: { source: provider } },
            { tag: "unknown value key", configuration: config({ value: "nothing" }) },
            { tag: "inherited key", configuration: config({ value: "toString" }) },
            { tag: "number", configuration: 42 },
            { tag: "array", configuration: [provider, "reading"] },
            { tag: "null", configuration: null },
            { tag: "unknown processor", process: { type: "nosuch" }, warning: "Shared.loadProcessors: unknown processor: nosuch" },
            { tag: "path processor", process: "../Shared", warning: "Shared.loadProcessors: unknown processor: ../Shared" },
            { tag: "processor without type", process: { factor: 2 }, warning: /Shared.loadProcessors: invalid processor/ },
            { tag: "not a processor", process: { type: provider }, warning: /Shared.loadProcessors: not a processor/ },
        ]
    }

    function test_badConfiguration(row) {
        if (row.warning)
            ignoreWarning(row.warning)
        var ds = loaded({ process: { type: processor, tag: "a" } })
        var d = ds.$DataSourceData
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        journal = []
        ds.configuration = row.process ? config({ process: row.process }) : row.configuration
        Queued.settle(tc)
        compare(journal, ["destroy:a"])
        if (row.process) {
            // What cannot be made is left out; the reading itself still shows.
            compare([d.processors.length, ds.title, timerOf(ds).running, raw.result], [0, "Test : Reading", true, 30])
        } else {
            // The outputs were reset to the placeholder's reading.
            verify(ds.value === Impl.DefaultValue)
            compare([ds.title, timerOf(ds).running, d.initialized, d.processors, raw.result], ["<N/A>", false, false, null, 0])
        }
        // The next real value initialises again.
        ds.configuration = config({})
        Queued.settle(tc)
        compare([d.initialized, ds.title, raw.result], [true, "Test : Reading", 30])
    }
}

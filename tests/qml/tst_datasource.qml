import QtQuick 2.12
import QtTest 1.2
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
    Component { id: spyComponent; SignalSpy {} }

    // Writes the signals of a source and of its private object into `log`, in order.
    Component {
        id: recorderComponent
        QtObject {
            id: recorder
            property var source
            property var log
            property list<QtObject> connections: [
                Connections {
                    target: recorder.source
                    function onUpdated() { recorder.log.push("updated") }
                },
                Connections {
                    target: recorder.source ? recorder.source.$DataSourceData : null
                    function onProcessOutput() { recorder.log.push("processOutput") }
                    function onResetOutput() { recorder.log.push("resetOutput") }
                }
            ]
        }
    }

    Connections {
        target: ORV.Shared
        function onProcessorLoaded(processor) { tc.journal.push("load:" + processor.configuration.tag) }
        function onProcessorDestroying(processor) { tc.journal.push("destroy:" + processor.configuration.tag) }
    }

    function init() {
        journal = []
    }

    function spy(target, signalName) {
        return createTemporaryObject(spyComponent, tc, { target: target, signalName: signalName })
    }

    function timerOf(ds) {
        return ds.$DataSourceData.data[0]
    }

    // A source configured with the test provider, past its deferred initialisation.
    function loaded(extra) {
        var configuration = { source: provider, value: "reading", interval: 100000 }
        for (var key in extra)
            configuration[key] = extra[key]
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = configuration
        wait(0)
        verify(ds.$DataSourceData.initialized)
        return ds
    }

    function test_created() {
        var ds = createTemporaryObject(sourceComponent, tc)
        var other = createTemporaryObject(sourceComponent, tc)
        compare(ds.configuration, undefined)
        compare(ds.title, "<N/A>")
        compare(ds.mode, DataSource.Current)
        compare(ds.status, DataSource.Null)
        verify(ds.data === Impl.DefaultData)
        verify(ds.value === Impl.DefaultValue)
        verify(ds.value === other.value)
        compare(ds.$DataSourceData.source, "")
        compare(ds.$DataSourceData.initialized, false)
        compare(ds.$DataSourceData.processors, null)
        compare(ds.$DataSourceData.processContext.unit, "")
        compare(timerOf(ds).interval, 1000)
        compare(timerOf(ds).running, false)
    }

    function test_enums() {
        compare([DataSource.Null, DataSource.Ready, DataSource.Loading, DataSource.Error], [0, 1, 2, 3])
        compare([DataSource.Current, DataSource.Inverse, DataSource.Maximum, DataSource.Minimum], [0, 1, 2, 3])
    }

    function test_loaded() {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = { source: provider, value: "reading", suffix: ["/", 5], unit: "MiB", update: { x: 1 } }
        // A provider in a local file loads at once; the value arrives synchronously.
        compare(ds.status, DataSource.Ready)
        compare(ds.title, "Test : Reading")
        compare(ds.data.title, "Test")
        verify(ds.value === ds.data.reading)
        compare(ds.suffix, ["/", 5])
        compare(ds.value.update.unit, "MiB")
        compare(ds.value.update.configuration, { x: 1 })
        compare(timerOf(ds).interval, 1000)
        compare(timerOf(ds).running, true)
        wait(0)
        verify(ds.$DataSourceData.initialized)
        // Without processors the outputs read the value object itself.
        verify(ds.$DataSourceData.valueOrContext === ds.value)
        ds.configuration = { source: provider, value: "reading" }
        wait(0)
        compare(ds.value.update.unit, "")
        compare(ds.value.update.configuration, undefined)
    }

    function test_interval() {
        var ds = loaded({ interval: undefined })
        compare(timerOf(ds).interval, 1000)
        compare(timerOf(ds).running, true)
        ds.configuration = { source: provider, value: "reading", interval: 0 }
        compare(timerOf(ds).running, false)
        ds.configuration = { source: provider, value: "reading", interval: 250 }
        compare(timerOf(ds).interval, 250)
        compare(timerOf(ds).running, true)
    }

    function test_ticks() {
        var ds = loaded({ interval: 50 })
        var updated = spy(ds, "updated")
        tryVerify(function () { return updated.count >= 3 }, 2000)
        verify(ds.data.executions >= 4)
    }

    function test_modes_data() {
        return [
            { tag: "current", mode: 0, output: 30 },
            { tag: "inverse", mode: DataSource.Inverse, output: 70 },
            { tag: "maximum", mode: DataSource.Maximum, output: 100 },
            { tag: "minimum", mode: DataSource.Minimum, output: 0 },
            { tag: "null", mode: null, output: 30 },
            { tag: "invalid", mode: 7, output: 30, warning: true },
        ]
    }

    function test_modes(row) {
        if (row.warning)
            ignoreWarning("invalid value mode")
        var ds = loaded({ mode: row.mode })
        compare(ds.mode, row.mode === null ? 0 : row.mode)
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        compare(ds.$DataSourceData.processContext.output, row.output)
        compare(raw.result, row.output)
        compare(raw.unit, "u")
        ds.value.current = 40
        compare(raw.result, row.mode === 0 || row.warning || row.mode === null ? 40 : row.mode === 1 ? 60 : row.output)
    }

    function test_configurationCoalesced() {
        var ds = loaded({ update: "a" })
        var resets = spy(ds.$DataSourceData, "resetOutput")
        var executions = ds.data.executions
        ds.configuration = { source: provider, value: "reading", interval: 100000, update: "b" }
        ds.configuration = { source: provider, value: "reading", interval: 100000, update: "c" }
        // Nothing is initialised synchronously.
        compare(resets.count, 0)
        compare(ds.value.update.configuration, "a")
        compare(ds.data.executions, executions)
        tryCompare(ds.value.update, "configuration", "c")
        wait(20)
        compare(resets.count, 1)
        compare(ds.data.executions, executions + 1)
    }

    function test_updateOrder() {
        var ds = createTemporaryObject(sourceComponent, tc)
        var log = []
        createTemporaryObject(recorderComponent, tc, { source: ds, log: log })
        ds.configuration = { source: provider, value: "reading", interval: 100000, update: "u1", unit: "k" }
        ds.data.hook = function (v) {
            log.push("execute:" + v.update.configuration + ":" + v.update.unit)
            // Readings changed inside execute() must not cause outputs of their own.
            v.current += 1
            v.minimum -= 1
            v.maximum += 1
        }
        log.length = 0
        wait(0)
        compare(log, ["execute:u1:k", "processOutput", "updated", "resetOutput"])
        log.length = 0
        ds.update()
        compare(log, ["execute:u1:k", "processOutput", "updated"])
        log.length = 0
        // Outside update() a change of the readings makes one output.
        ds.value.current = 3
        compare(log, ["processOutput"])
        // The status is no reading that outputs follow: still the one entry.
        ds.value.status = 2
        compare(log, ["processOutput"])
    }

    function test_onePerUpdate() {
        var ds = loaded({})
        var outputs = spy(ds.$DataSourceData, "processOutput")
        var updated = spy(ds, "updated")
        ds.data.hook = function (v) {
            v.current = v.current + 1
            v.maximum = v.maximum + 1
            v.minimum = v.minimum - 1
        }
        for (var i = 0; i < 5; ++i)
            ds.update()
        compare(outputs.count, 5)
        compare(updated.count, 5)
        compare(ds.$DataSourceData.processContext.output, 35)
    }

    function test_processors() {
        var ds = loaded({ process: [{ type: processor, add: 5, tag: "a" }, { type: processor, add: 1, tag: "b" }] })
        var d = ds.$DataSourceData
        verify(d.valueOrContext === d.processContext)
        compare(d.processors.length, 2)
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        compare(raw.result, 36)
        compare(raw.unit, "u")
        var first = d.processors[0]
        var second = d.processors[1]
        first.seen = []
        second.seen = []
        ds.value.current = 50
        compare(raw.result, 56)
        // Each processor is updated, then executed, with the context filled in before.
        compare(first.seen, [
            { step: "update", output: 50, current: 50, maximum: 100, minimum: 0, status: 1, unit: "u" },
            { step: "execute", output: 50, current: 50, maximum: 100, minimum: 0, status: 1, unit: "u" }])
        compare(second.seen[0].output, 55)
        compare(second.seen.length, 2)
    }

    function test_processorsReplaced() {
        var ds = loaded({ process: [{ type: processor, tag: "a" }, { type: processor, tag: "b" }] })
        journal = []
        var old = ds.$DataSourceData.processors
        ds.configuration = { source: provider, value: "reading", interval: 100000, process: { type: processor, tag: "c" } }
        wait(0)
        compare(journal, ["destroy:a", "destroy:b", "load:c"])
        compare(ds.$DataSourceData.processors.length, 1)
        journal = []
        ds.configuration = { source: provider, value: "reading", interval: 100000 }
        wait(0)
        compare(journal, ["destroy:c"])
        compare(ds.$DataSourceData.processors, null)
        verify(ds.$DataSourceData.valueOrContext === ds.value)
        compare(old.length, 2)
    }

    function test_builtinProcessors() {
        // The initialising update already put the first reading, 30, into the window.
        var ds = loaded({ process: [{ type: "average", samples: 2 }, { type: "scale", factor: 2 }, "clamp"] })
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        var readings = [10, 20, 60, 80]
        var expected = [40, 30, 80, 100]
        for (var i = 0; i < readings.length; ++i) {
            ds.data.hook = (function (r) { return function (v) { v.current = r } })(readings[i])
            ds.update()
            compare(raw.result, expected[i], "reading " + readings[i])
        }
    }

    function test_lostValue() {
        var ds = loaded({ process: { type: processor, tag: "a" } })
        var resets = spy(ds.$DataSourceData, "resetOutput")
        journal = []
        ds.configuration = { source: provider, value: "nothing", process: { type: processor, tag: "b" } }
        verify(ds.value === Impl.DefaultValue)
        compare(ds.title, "<N/A>")
        compare(timerOf(ds).running, false)
        wait(0)
        compare(journal, ["destroy:a"])
        compare(ds.$DataSourceData.processors, null)
        compare(ds.$DataSourceData.initialized, false)
        compare(resets.count, 1)
        // The next real value initialises again.
        ds.configuration = { source: provider, value: "other" }
        compare(ds.title, "Test : Other")
        verify(ds.$DataSourceData.initialized)
    }

    function test_badConfiguration_data() {
        return [
            { tag: "unknown source", configuration: { source: "nosuchprovider", value: "cpu" },
              warning: /ObjectLoader::load: cannot load: nosuchprovider/ },
            { tag: "missing file", configuration: { source: Qt.resolvedUrl("NoSuchProvider.qml"), value: "reading" },
              warning: /ObjectLoader::load: cannot load/ },
            { tag: "no value key", configuration: { source: provider } },
            { tag: "unknown value key", configuration: { source: provider, value: "nothing" } },
            { tag: "inherited key", configuration: { source: provider, value: "toString" } },
            { tag: "number", configuration: 42 },
            { tag: "string", configuration: "system" },
            { tag: "array", configuration: [provider, "reading"] },
            { tag: "null", configuration: null },
            { tag: "function", configuration: function () { return 1 } },
        ]
    }

    function test_badConfiguration(row) {
        if (row.warning)
            ignoreWarning(row.warning)
        var ds = createTemporaryObject(sourceComponent, tc)
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        var resets = spy(ds.$DataSourceData, "resetOutput")
        ds.configuration = row.configuration
        wait(0)
        compare(ds.title, "<N/A>")
        verify(ds.value === Impl.DefaultValue)
        compare(timerOf(ds).running, false)
        compare(ds.$DataSourceData.initialized, false)
        compare(ds.$DataSourceData.processors, null)
        compare(resets.count, 1)
        // The placeholder's readings are what the outputs show.
        compare(raw.result, 0)
        ds.update()
        compare(raw.result, 0)
    }

    function test_badProcess_data() {
        return [
            { tag: "unknown type", process: { type: "nosuch" }, warning: "Shared.loadProcessors: unknown processor: nosuch" },
            { tag: "path type", process: "../Shared", warning: "Shared.loadProcessors: unknown processor: ../Shared" },
            { tag: "no type", process: { factor: 2 }, warning: /Shared.loadProcessors: invalid processor/ },
            { tag: "number", process: 3, warning: "Shared.loadProcessors: invalid processor: 3" },
            { tag: "not a processor", process: { type: Qt.resolvedUrl("TestProvider.qml") },
              warning: /Shared.loadProcessors: not a processor/ },
        ]
    }

    function test_badProcess(row) {
        // Once on the value's arrival, once more by the deferred initialisation.
        ignoreWarning(row.warning)
        ignoreWarning(row.warning)
        var ds = loaded({ process: row.process })
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        // What cannot be made is left out; the reading itself still shows.
        compare(ds.$DataSourceData.processors.length, 0)
        compare(ds.title, "Test : Reading")
        compare(raw.result, 30)
        ds.value.current = 31
        compare(raw.result, 31)
    }
}

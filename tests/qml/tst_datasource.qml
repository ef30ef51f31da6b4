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
                    target: recorder.source.$DataSourceData
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

    function spy(target, signalName) {
        return createTemporaryObject(spyComponent, tc, { target: target, signalName: signalName })
    }

    function timerOf(ds) {
        return ds.$DataSourceData.data[0]
    }

    function config(extra) {
        var configuration = { source: provider, value: "reading", interval: 100000 }
        for (var key in extra)
            configuration[key] = extra[key]
        return configuration
    }

    // A source on the test provider, past its deferred initialisation.
    function loaded(extra) {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = config(extra)
        wait(0)
        verify(ds.$DataSourceData.initialized)
        return ds
    }

    function test_created() {
        var ds = createTemporaryObject(sourceComponent, tc)
        var other = createTemporaryObject(sourceComponent, tc)
        compare([DataSource.Null, DataSource.Ready, DataSource.Loading, DataSource.Error], [0, 1, 2, 3])
        compare([DataSource.Current, DataSource.Inverse, DataSource.Maximum, DataSource.Minimum], [0, 1, 2, 3])
        compare(ds.configuration, undefined)
        compare([ds.title, ds.mode, ds.status, ds.$DataSourceData.source], ["<N/A>", 0, DataSource.Null, ""])
        verify(ds.data === Impl.DefaultData)
        verify(ds.value === Impl.DefaultValue && other.value === ds.value)
        compare(ds.$DataSourceData.initialized, false)
        compare(ds.$DataSourceData.processors, null)
        // The first output was already made when the private object was created.
        compare([ds.$DataSourceData.processContext.unit, ds.$DataSourceData.processContext.output], ["", 0])
        compare([timerOf(ds).interval, timerOf(ds).running], [1000, false])
    }

    function test_configured() {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = { source: provider, value: "reading", suffix: ["/", 5], unit: "MiB", update: { x: 1 } }
        // A provider in a local file loads at once, so the value arrives synchronously.
        compare([ds.status, ds.title, ds.suffix], [DataSource.Ready, "Test : Reading", ["/", 5]])
        verify(ds.value === ds.data.reading)
        compare([ds.value.update.unit, ds.value.update.configuration], ["MiB", { x: 1 }])
        compare([timerOf(ds).interval, timerOf(ds).running], [1000, true])
        wait(0)
        verify(ds.$DataSourceData.valueOrContext === ds.value)
        ds.configuration = config({ interval: 0 })
        compare(timerOf(ds).running, false)
        wait(0)
        compare([ds.value.update.unit, ds.value.update.configuration], ["", undefined])
        ds.configuration = config({ interval: 50 })
        var updated = spy(ds, "updated")
        tryVerify(function () { return updated.count >= 3 }, 2000)
    }

    function test_modes_data() {
        return [
            { tag: "current", mode: 0, output: 30, later: 40 },
            { tag: "null", mode: null, output: 30, later: 40 },
            { tag: "inverse", mode: DataSource.Inverse, output: 70, later: 60 },
            { tag: "maximum", mode: DataSource.Maximum, output: 100, later: 100 },
            { tag: "minimum", mode: DataSource.Minimum, output: 0, later: 0 },
            { tag: "invalid", mode: 7, output: 30, later: 40 },
        ]
    }

    function test_modes(row) {
        if (row.mode === 7)
            ignoreWarning("invalid value mode")
        var ds = loaded({ mode: row.mode })
        compare(ds.mode, row.mode === null ? 0 : row.mode)
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        compare([ds.$DataSourceData.processContext.output, raw.result, raw.unit], [row.output, row.output, "u"])
        ds.value.current = 40
        compare(raw.result, row.later)
    }

    function test_configurationCoalesced() {
        var ds = loaded({ update: "a" })
        var resets = spy(ds.$DataSourceData, "resetOutput")
        var executions = ds.data.executions
        ds.configuration = config({ update: "b" })
        ds.configuration = config({ update: "c" })
        // Nothing is initialised synchronously, and once afterwards.
        compare([resets.count, ds.value.update.configuration, ds.data.executions], [0, "a", executions])
        tryCompare(ds.value.update, "configuration", "c")
        wait(20)
        compare([resets.count, ds.data.executions], [1, executions + 1])
    }

    function test_updateOrder() {
        var ds = createTemporaryObject(sourceComponent, tc)
        var log = []
        createTemporaryObject(recorderComponent, tc, { source: ds, log: log })
        ds.configuration = config({ update: "u1", unit: "k" })
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
        for (var i = 0; i < 3; ++i) {
            log.length = 0
            ds.update()
            compare(log, ["execute:u1:k", "processOutput", "updated"])
        }
        compare(ds.$DataSourceData.processContext.output, 34)
        // Outside update() a change of a reading makes one output; the status is no reading.
        log.length = 0
        ds.value.current = 3
        ds.value.status = 2
        compare(log, ["processOutput"])
    }

    function test_processors() {
        var ds = loaded({ process: [{ type: processor, add: 5, tag: "a" }, { type: processor, add: 1, tag: "b" }] })
        var d = ds.$DataSourceData
        verify(d.valueOrContext === d.processContext)
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        compare([raw.result, raw.unit], [36, "u"])
        var first = d.processors[0]
        var second = d.processors[1]
        first.seen = []
        second.seen = []
        ds.value.current = 50
        compare(raw.result, 56)
        // Each processor is updated, then executed, with the context filled in before.
        var context = { output: 50, current: 50, maximum: 100, minimum: 0, status: 1, unit: "u" }
        compare(first.seen, [Object.assign({ step: "update" }, context), Object.assign({ step: "execute" }, context)])
        compare([second.seen.length, second.seen[0].output], [2, 55])
        // Reconfiguring destroys every processor before the new ones load.
        journal = []
        ds.configuration = config({ process: { type: processor, tag: "c" } })
        wait(0)
        compare(journal, ["destroy:a", "destroy:b", "load:c"])
        journal = []
        ds.configuration = config({})
        wait(0)
        compare([journal, d.processors], [["destroy:c"], null])
        verify(d.valueOrContext === ds.value)
    }

    function test_builtinProcessors() {
        // The initialising update already put the first reading, 30, into the window.
        var ds = loaded({ process: [{ type: "average", samples: 2 }, { type: "scale", factor: 2 }, "clamp"] })
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        var results = []
        ;[10, 20, 60, 80].forEach(function (reading) {
            ds.data.hook = function (v) { v.current = reading }
            ds.update()
            results.push(raw.result)
        })
        compare(results, [40, 30, 80, 100])
    }

    function test_lostValue() {
        var ds = loaded({ process: { type: processor, tag: "a" } })
        var resets = spy(ds.$DataSourceData, "resetOutput")
        journal = []
        ds.configuration = config({ value: "nothing", process: { type: processor, tag: "b" } })
        verify(ds.value === Impl.DefaultValue)
        compare([ds.title, timerOf(ds).running], ["<N/A>", false])
        wait(0)
        compare([journal, ds.$DataSourceData.processors, ds.$DataSourceData.initialized, resets.count],
                [["destroy:a"], null, false, 1])
        // The next real value initialises again.
        ds.configuration = config({ value: "other" })
        compare(ds.title, "Test : Other")
        verify(ds.$DataSourceData.initialized)
    }

    function test_badConfiguration_data() {
        return [
            { tag: "unknown source", configuration: { source: "nosuchprovider", value: "cpu" },
              warning: /ObjectLoader::load: cannot load: nosuchprovider/ },
            { tag: "missing file", configuration: { source: Qt.resolvedUrl("NoSuch.qml"), value: "reading" },
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
        verify(ds.value === Impl.DefaultValue)
        compare([ds.title, timerOf(ds).running, ds.$DataSourceData.initialized, ds.$DataSourceData.processors],
                ["<N/A>", false, false, null])
        // The outputs were reset and show the placeholder's reading.
        compare([resets.count, raw.result], [1, 0])
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
        compare([ds.$DataSourceData.processors.length, ds.title, raw.result], [0, "Test : Reading", 30])
        ds.value.current = 31
        compare(raw.result, 31)
    }
}

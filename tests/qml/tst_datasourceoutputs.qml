import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0

TestCase {
    id: tc
    name: "DataSourceOutputs"

    readonly property string provider: Qt.resolvedUrl("TestProvider.qml")

    Component { id: sourceComponent; DataSource {} }
    Component { id: rawComponent; DataSourceRawOutput {} }
    Component { id: textComponent; DataSourceTextOutput {} }
    Component { id: progressComponent; DataSourceProgressOutput {} }
    Component { id: spyComponent; SignalSpy {} }

    function spy(target, signalName) {
        return createTemporaryObject(spyComponent, tc, { target: target, signalName: signalName })
    }

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

    function test_baseNotImportable() {
        var failed = false
        try {
            Qt.createQmlObject("import Orvane 1.0; DataSourceOutput {}", tc)
        } catch (err) {
            failed = true
        }
        verify(failed)
    }

    function test_defaults() {
        var text = createTemporaryObject(textComponent, tc)
        compare(text.result, "")
        compare(text.unit, "")
        compare(text.source, null)
        compare(text.fixedDecimalDigits, -1)
        compare(text.maximumDecimalDigits, 2)
        compare(text.undefinedText, "undefined")
        compare(text.nullText, "null")
        compare(text.__roundParam, 100)
        compare(text.$DataSourceOutputData.length, 1)
        var progress = createTemporaryObject(progressComponent, tc)
        compare(progress.result, 0)
        compare(progress.dynamic, false)
        compare(progress.$DataSourceProgressOutputData.mode, 0)
        compare(progress.$DataSourceProgressOutputData.dynamicMax, Number.MIN_VALUE)
        compare(progress.$DataSourceProgressOutputData.dynamicMin, Number.MAX_VALUE)
        var raw = createTemporaryObject(rawComponent, tc)
        compare(raw.result, undefined)
    }

    function test_text_data() {
        return [
            { tag: "pi", input: 3.14159, text: "3.14" },
            { tag: "half", input: 2.5, text: "2.5" },
            { tag: "low half", input: 1.005, text: "1.01" },
            { tag: "integer", input: 7, text: "7" },
            { tag: "negative", input: -0.125, text: "-0.12" },
            { tag: "undefined", input: undefined, text: "undefined" },
            { tag: "null", input: null, text: "null" },
            { tag: "string", input: "12.3456", text: "12.3456" },
            { tag: "boolean", input: true, text: "true" },
            { tag: "own undefined text", input: undefined, text: "-", props: { undefinedText: "-" } },
            { tag: "own null text", input: null, text: "n/a", props: { nullText: "n/a" } },
            { tag: "fixed 1", input: 2, text: "2.0", props: { fixedDecimalDigits: 1 } },
            { tag: "fixed 0", input: 2.5, text: "3", props: { fixedDecimalDigits: 0 } },
            { tag: "fixed wins", input: 1.23456, text: "1.235", props: { fixedDecimalDigits: 3, maximumDecimalDigits: 1 } },
            { tag: "maximum 0", input: 2.6, text: "3", props: { maximumDecimalDigits: 0 } },
            { tag: "maximum 4", input: 1.234567, text: "1.2346", props: { maximumDecimalDigits: 4 } },
            { tag: "maximum -1", input: 2.675, text: "2.675", props: { maximumDecimalDigits: -1 } },
        ]
    }

    function test_text(row) {
        var text = createTemporaryObject(textComponent, tc, row.props || {})
        text.update(row.input, { unit: "°C" })
        compare(text.result, row.text)
        compare(text.unit, "°C")
    }

    function test_roundParam_data() {
        return [
            { tag: "defaults", props: {}, param: 100 },
            { tag: "fixed 3", props: { fixedDecimalDigits: 3 }, param: 3 },
            { tag: "maximum 0", props: { maximumDecimalDigits: 0 }, param: 0 },
            { tag: "maximum 3", props: { maximumDecimalDigits: 3 }, param: 1000 },
            { tag: "maximum -2", props: { maximumDecimalDigits: -2 }, param: 0 },
        ]
    }

    function test_roundParam(row) {
        var text = createTemporaryObject(textComponent, tc, row.props)
        compare(text.__roundParam, row.param)
    }

    function test_raw() {
        var raw = createTemporaryObject(rawComponent, tc)
        var object = { a: 1 }
        raw.update(object, { unit: "x" })
        verify(raw.result === object)
        compare(raw.unit, "x")
        raw.update("text", { unit: "y" })
        compare(raw.result, "text")
        compare(raw.unit, "y")
    }

    function test_static_data() {
        return [
            { tag: "quarter", input: 50, min: 0, max: 200, result: 0.25 },
            { tag: "above", input: 250, min: 0, max: 200, result: 1 },
            { tag: "below", input: -5, min: 0, max: 200, result: 0 },
            { tag: "offset range", input: 15, min: 10, max: 30, result: 0.25 },
            { tag: "empty range", input: 5, min: 5, max: 5, result: 0 },
            { tag: "zero range", input: 7, min: 5, max: 5, result: 0 },
            { tag: "no bounds", input: 7, result: 0 },
        ]
    }

    function test_static(row) {
        var progress = createTemporaryObject(progressComponent, tc)
        progress.result = 0.5
        progress.update(row.input, { minimum: row.min, maximum: row.max })
        compare(progress.result, row.result)
    }

    function test_dynamicSeries() {
        var progress = createTemporaryObject(progressComponent, tc, { dynamic: true })
        var d = progress.$DataSourceProgressOutputData
        var ranges = spy(progress, "rangeChanged")
        progress.reset(0)
        compare(ranges.count, 1)
        compare(ranges.signalArguments[0][0], 0)
        progress.update(10, {})
        compare(ranges.count, 1)
        compare(progress.result, 1)
        compare(d.dynamicMax, 10)
        compare(d.dynamicMin, Number.MAX_VALUE)
        progress.update(5, {})
        compare(ranges.count, 1)
        compare(d.dynamicMin, 5)
        compare(progress.result, 0)
        progress.update(20, {})
        compare(ranges.count, 2)
        fuzzyCompare(ranges.signalArguments[1][0], 1 / 3, 1e-12)
        compare(progress.result, 1)
        // Now below the minimum: old width 15 over new width 20.
        progress.update(0, {})
        compare(ranges.count, 3)
        compare(ranges.signalArguments[2][0], 0.75)
        compare(progress.result, 0)
        progress.update(10, {})
        compare(ranges.count, 3)
        compare(progress.result, 0.5)
    }

    function test_dynamicRising() {
        var progress = createTemporaryObject(progressComponent, tc, { dynamic: true })
        var ranges = spy(progress, "rangeChanged")
        progress.reset(0)
        var inputs = [10, 20, 40]
        for (var i = 0; i < inputs.length; ++i) {
            progress.update(inputs[i], {})
            compare(progress.result, 1)
        }
        compare(ranges.count, 1)
        compare(progress.$DataSourceProgressOutputData.dynamicMin, Number.MAX_VALUE)
        compare(progress.$DataSourceProgressOutputData.dynamicMax, 40)
    }

    function test_dynamicNegativeStart() {
        var progress = createTemporaryObject(progressComponent, tc, { dynamic: true })
        var d = progress.$DataSourceProgressOutputData
        progress.update(-3, {})
        compare(d.dynamicMin, -3)
        compare(d.dynamicMax, Number.MIN_VALUE)
        compare(progress.result, 0)
        progress.update(0, {})
        fuzzyCompare(progress.result, 1, 1e-12)
    }

    function test_dynamicToggle() {
        var progress = createTemporaryObject(progressComponent, tc)
        var d = progress.$DataSourceProgressOutputData
        var ranges = spy(progress, "rangeChanged")
        progress.reset(1)
        progress.dynamic = true
        // Toggling forgets the range and keeps the mode.
        compare(ranges.count, 2)
        compare(d.mode, 1)
        progress.update(10, {})
        progress.update(5, {})
        progress.dynamic = false
        compare(d.dynamicMax, Number.MIN_VALUE)
        compare(d.dynamicMin, Number.MAX_VALUE)
        compare(ranges.count, 3)
        progress.update(50, { minimum: 0, maximum: 100 })
        compare(progress.result, 0.5)
    }

    function test_sourceModes_data() {
        return [
            { tag: "maximum", mode: DataSource.Maximum, result: 1 },
            { tag: "minimum", mode: DataSource.Minimum, result: 0 },
            { tag: "current", mode: DataSource.Current, result: 0.3, later: 0.8 },
            { tag: "inverse", mode: DataSource.Inverse, result: 0.7, later: 0.2 },
        ]
    }

    function test_sourceModes(row) {
        var ds = loaded({ mode: row.mode })
        var progress = createTemporaryObject(progressComponent, tc, { source: ds })
        fuzzyCompare(progress.result, row.result, 1e-12)
        ds.data.hook = function (v) { v.current = 80 }
        ds.update()
        // In the bounds' own modes later updates change nothing.
        fuzzyCompare(progress.result, row.later !== undefined ? row.later : row.result, 1e-12)
        compare(progress.$DataSourceProgressOutputData.mode, row.mode)
    }

    function test_dynamicWithSource() {
        var ds = loaded({})
        var progress = createTemporaryObject(progressComponent, tc, { dynamic: true, source: ds })
        var ranges = spy(progress, "rangeChanged")
        var readings = [10, 5, 20]
        var results = [0, 0, 0.6]
        for (var i = 0; i < readings.length; ++i) {
            ds.data.hook = (function (r) { return function (v) { v.current = r } })(readings[i])
            ds.update()
            fuzzyCompare(progress.result, results[i], 1e-12, "reading " + readings[i])
        }
        // Attaching saw 30 first: 10 sets the minimum, 5 widens the range from 20 to 25.
        compare(ranges.count, 1)
        fuzzyCompare(ranges.signalArguments[0][0], (30 - 10) / (30 - 5), 1e-12)
        // Reconfiguring resets: rangeChanged(0) and a range learnt afresh.
        ds.configuration = { source: provider, value: "reading", interval: 100000 }
        wait(0)
        compare(ranges.signalArguments[ranges.count - 1][0], 0)
        compare(progress.$DataSourceProgressOutputData.dynamicMax, 20)
    }

    function test_attach() {
        var ds = loaded({ suffix: "!" })
        var text = createTemporaryObject(textComponent, tc)
        text.source = ds
        // An initialised source shows at once, without waiting for a tick.
        compare(text.result, "30")
        compare(text.unit, "u")
        ds.value.current = 12.345
        compare(text.result, "12.35")
        text.source = null
        ds.value.current = 1
        compare(text.result, "12.35")
        var progress = createTemporaryObject(progressComponent, tc, { source: ds })
        compare(progress.result, 0.01)
        // Several outputs follow one source.
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        ds.value.current = 25
        compare(raw.result, 25)
        compare(progress.result, 0.25)
    }

    function test_attachUninitialised() {
        var ds = createTemporaryObject(sourceComponent, tc)
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        var resets = spy(raw.source.$DataSourceData, "resetOutput")
        compare(raw.result, undefined)
        ds.configuration = { source: provider, value: "reading", interval: 100000 }
        // The value arrives synchronously and initialises; its reset reaches the output.
        compare(raw.result, 30)
        compare(resets.count, 1)
    }
}

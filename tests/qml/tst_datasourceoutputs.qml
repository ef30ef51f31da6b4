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

    function loaded(mode) {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = { source: provider, value: "reading", interval: 100000, mode: mode }
        wait(0)
        verify(ds.$DataSourceData.initialized)
        return ds
    }

    function feed(ds, readings) {
        readings.forEach(function (reading) {
            ds.data.hook = function (v) { v.current = reading }
            ds.update()
        })
    }

    function test_defaults() {
        var failed = false
        try {
            Qt.createQmlObject("import Orvane 1.0; DataSourceOutput {}", tc)
        } catch (err) {
            failed = true
        }
        verify(failed, "the base output is importable")
        var text = createTemporaryObject(textComponent, tc)
        compare([text.result, text.unit, text.source, text.$DataSourceOutputData.length], ["", "", null, 1])
        compare([text.fixedDecimalDigits, text.maximumDecimalDigits, text.undefinedText, text.nullText, text.__roundParam],
                [-1, 2, "undefined", "null", 100])
        var progress = createTemporaryObject(progressComponent, tc)
        var d = progress.$DataSourceProgressOutputData
        compare([progress.result, progress.dynamic, d.mode, d.dynamicMax, d.dynamicMin],
                [0, false, 0, Number.MIN_VALUE, Number.MAX_VALUE])
        var raw = createTemporaryObject(rawComponent, tc)
        var object = { a: 1 }
        raw.update(object, { unit: "x" })
        verify(raw.result === object)
        raw.update("text", { unit: "y" })
        compare([raw.result, raw.unit], ["text", "y"])
    }

    function test_text_data() {
        return [
            { tag: "pi", input: 3.14159, text: "3.14" },
            { tag: "half", input: 2.5, text: "2.5" },
            { tag: "low half", input: 1.005, text: "1.01" },
            { tag: "negative", input: -0.125, text: "-0.12" },
            { tag: "undefined", input: undefined, text: "undefined" },
            { tag: "null", input: null, text: "null" },
            { tag: "string", input: "12.3456", text: "12.3456" },
            { tag: "boolean", input: true, text: "true" },
            { tag: "own texts", input: undefined, text: "-", props: { undefinedText: "-", nullText: "n/a" } },
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
        compare([text.result, text.unit], [row.text, "°C"])
    }

    function test_static_data() {
        return [
            { tag: "quarter", input: 50, min: 0, max: 200, result: 0.25 },
            { tag: "above", input: 250, min: 0, max: 200, result: 1 },
            { tag: "below", input: -5, min: 0, max: 200, result: 0 },
            { tag: "offset range", input: 15, min: 10, max: 30, result: 0.25 },
            { tag: "empty range", input: 5, min: 5, max: 5, result: 0 },
            { tag: "no bounds", input: 7, result: 0 },
        ]
    }

    function test_static(row) {
        var progress = createTemporaryObject(progressComponent, tc, { result: 0.5 })
        progress.update(row.input, { minimum: row.min, maximum: row.max })
        compare(progress.result, row.result)
    }

    function test_dynamic_data() {
        return [
            // 10 leaves the minimum unset; 5 sets it; 20 widens the range from 5 to 15; 0 from 15 to 20.
            { tag: "series", inputs: [10, 5, 20, 0, 10], results: [1, 0, 1, 0, 0.5],
              ranges: [[], [], [1 / 3], [0.75], []], max: 20, min: 0 },
            { tag: "rising", inputs: [10, 20, 40], results: [1, 1, 1], ranges: [[], [], []],
              max: 40, min: Number.MAX_VALUE },
            // The maximum is still its start value when 5 arrives: no range to rescale yet.
            { tag: "negative start", inputs: [-3, 0, 5], results: [0, 1, 1], ranges: [[], [], []],
              max: 5, min: -3 },
        ]
    }

    function test_dynamic(row) {
        var progress = createTemporaryObject(progressComponent, tc, { dynamic: true })
        var d = progress.$DataSourceProgressOutputData
        var ranges = spy(progress, "rangeChanged")
        progress.reset(0)
        compare([ranges.count, ranges.signalArguments[0][0]], [1, 0])
        for (var i = 0; i < row.inputs.length; ++i) {
            ranges.clear()
            progress.update(row.inputs[i], {})
            fuzzyCompare(progress.result, row.results[i], 1e-12, "result for " + row.inputs[i])
            compare(ranges.count, row.ranges[i].length, "rangeChanged for " + row.inputs[i])
            if (ranges.count)
                fuzzyCompare(ranges.signalArguments[0][0], row.ranges[i][0], 1e-12)
        }
        compare([d.dynamicMax, d.dynamicMin], [row.max, row.min])
    }

    function test_dynamicToggle() {
        var progress = createTemporaryObject(progressComponent, tc)
        var d = progress.$DataSourceProgressOutputData
        var ranges = spy(progress, "rangeChanged")
        progress.reset(1)
        progress.dynamic = true
        // Toggling forgets the range and keeps the mode.
        compare([ranges.count, d.mode], [2, 1])
        progress.update(10, {})
        progress.update(5, {})
        progress.dynamic = false
        compare([ranges.count, d.dynamicMax, d.dynamicMin], [3, Number.MIN_VALUE, Number.MAX_VALUE])
        progress.update(50, { minimum: 0, maximum: 100 })
        compare(progress.result, 0.5)
    }

    function test_sourceModes_data() {
        return [
            { tag: "maximum", mode: DataSource.Maximum, result: 1, later: 1 },
            { tag: "minimum", mode: DataSource.Minimum, result: 0, later: 0 },
            { tag: "current", mode: DataSource.Current, result: 0.3, later: 0.8 },
            { tag: "inverse", mode: DataSource.Inverse, result: 0.7, later: 0.2 },
        ]
    }

    function test_sourceModes(row) {
        var ds = loaded(row.mode)
        var progress = createTemporaryObject(progressComponent, tc, { source: ds })
        fuzzyCompare(progress.result, row.result, 1e-12)
        feed(ds, [80])
        fuzzyCompare(progress.result, row.later, 1e-12)
        compare(progress.$DataSourceProgressOutputData.mode, row.mode)
    }

    function test_dynamicWithSource() {
        var ds = loaded(0)
        var progress = createTemporaryObject(progressComponent, tc, { dynamic: true, source: ds })
        var ranges = spy(progress, "rangeChanged")
        // Attaching saw 30 first: 10 sets the minimum, 5 widens the range from 20 to 25, 20 is inside.
        feed(ds, [10, 5, 20])
        fuzzyCompare(progress.result, 0.6, 1e-12)
        compare(ranges.count, 1)
        fuzzyCompare(ranges.signalArguments[0][0], 0.8, 1e-12)
        // Reconfiguring resets: rangeChanged(0) and a range learnt afresh.
        ds.configuration = { source: provider, value: "reading", interval: 100000 }
        wait(0)
        compare(ranges.signalArguments[ranges.count - 1][0], 0)
        compare(progress.$DataSourceProgressOutputData.dynamicMax, 20)
    }

    function test_attach() {
        var ds = loaded(0)
        var text = createTemporaryObject(textComponent, tc)
        text.source = ds
        // An initialised source shows at once, without waiting for a tick.
        compare([text.result, text.unit], ["30", "u"])
        ds.value.current = 12.345
        compare(text.result, "12.35")
        text.source = null
        ds.value.current = 1
        compare(text.result, "12.35")
        // Several outputs follow one source.
        var progress = createTemporaryObject(progressComponent, tc, { source: ds })
        var raw = createTemporaryObject(rawComponent, tc, { source: ds })
        compare([progress.result, raw.result], [0.01, 1])
        ds.value.current = 25
        compare([progress.result, raw.result], [0.25, 25])
        // An uninitialised source reaches its outputs only through its reset.
        var later = createTemporaryObject(sourceComponent, tc)
        raw.source = later
        compare(raw.result, 25)
        later.configuration = { source: provider, value: "other", interval: 100000 }
        compare([raw.result, raw.unit], [5, ""])
    }
}

import QtQuick 2.12
import QtTest 1.2
import "settle.js" as Queued
import Orvane 1.0

TestCase {
    id: tc
    name: "DataSourceOutputs"

    Component { id: sourceComponent; DataSource {} }
    Component { id: rawComponent; DataSourceRawOutput {} }
    Component { id: textComponent; DataSourceTextOutput {} }
    Component { id: progressComponent; DataSourceProgressOutput {} }

    function test_text_data() {
        var own = { undefinedText: "-", nullText: "n/a" }
        return [[3.14159, "3.14"], [1.005, "1.01"], [-0.125, "-0.12"], [undefined, "undefined"], [null, "null"],
                ["12.3456", "12.3456"], [true, "true"], [undefined, "-", own], [null, "n/a", own],
                [2, "2.0", { fixedDecimalDigits: 1 }], [2.5, "3", { fixedDecimalDigits: 0 }],
                [1.23456, "1.235", { fixedDecimalDigits: 3, maximumDecimalDigits: 1 }],
                [2.6, "3", { maximumDecimalDigits: 0 }], [1.234567, "1.2346", { maximumDecimalDigits: 4 }],
                [2.675, "2.675", { maximumDecimalDigits: -1 }]]
            .map(function (r) { return { tag: String(r[0]) + (r[2] ? " " + JSON.stringify(r[2]) : ""), input: r[0], text: r[1], props: r[2] } })
    }

    function test_text(row) {
        var text = createTemporaryObject(textComponent, tc, row.props || {})
        text.update(row.input, { unit: "°C" })
        compare([text.result, text.unit], [row.text, "°C"])
    }

    function test_static_data() {
        // [input, minimum, maximum, result]
        return [[50, 0, 200, 0.25], [250, 0, 200, 1], [-5, 0, 200, 0], [15, 10, 30, 0.25], [5, 5, 5, 0], [7, undefined, undefined, 0]]
            .map(function (r) { return { tag: r.join(" "), input: r[0], min: r[1], max: r[2], result: r[3] } })
    }

    function test_static(row) {
        var progress = createTemporaryObject(progressComponent, tc, { result: 0.5 })
        progress.update(row.input, { minimum: row.min, maximum: row.max })
        compare(progress.result, row.result)
    }

    function test_dynamic_data() {
        return [
            // 10 leaves the minimum unset; 5 sets it; 20 widens the range from 5 to 15; 0 from 15 to 20.
            { tag: "series", inputs: [10, 5, 20, 0, 10], events: [1, 0, "range " + 1 / 3, 1, "range 0.75", 0, 0.5] },
            { tag: "rising", inputs: [10, 20, 40], events: [1, 1, 1] },
            // The maximum is still its start value when 5 arrives: no range to rescale yet.
            { tag: "negative start", inputs: [-3, 0, 5], events: [0, 1, 1] },
        ]
    }

    function test_dynamic(row) {
        var progress = createTemporaryObject(progressComponent, tc, { dynamic: true }), events = []
        progress.rangeChanged.connect(function (ratio) { events.push("range " + ratio) })
        progress.reset(0)
        var feed = function (input, context) { progress.update(input, context || {}); events.push(progress.result) }
        row.inputs.forEach(function (input) { feed(input) })
        // Leaving dynamic mode forgets the range.
        progress.dynamic = false
        feed(50, { minimum: 0, maximum: 100 })
        compare(events, ["range 0"].concat(row.events, ["range 0", 0.5]))
    }

    function test_attach() {
        var ds = createTemporaryObject(sourceComponent, tc)
        ds.configuration = { source: Qt.resolvedUrl("TestProvider.qml"), value: "reading", interval: 0 }
        Queued.settle(tc)
        // An initialised source shows at once, without waiting for a tick.
        var text = createTemporaryObject(textComponent, tc, { source: ds })
        var progress = createTemporaryObject(progressComponent, tc, { dynamic: true })
        progress.source = ds
        compare([text.result, text.unit, progress.result], ["30", "u", 1])
        ds.value.current = 12.345
        text.source = null
        ds.value.current = 1
        compare([text.result, progress.result], ["12.35", 0])
        // An uninitialised source reaches its outputs only through its reset.
        var later = createTemporaryObject(sourceComponent, tc)
        var raw = createTemporaryObject(rawComponent, tc, { source: later })
        compare(raw.result, undefined)
        later.configuration = ds.configuration
        compare([raw.result, raw.unit], [30, "u"])
    }
}

import QtQml 2.12

// The source's output as a ratio for bars and gauges: against the value's
// bounds, or in dynamic mode against the range seen since the last reset.
DataSourceOutput {
    id: output

    property real result: 0
    property bool dynamic: false

    // Old range width over the new one, for views that rescale what they drew.
    signal rangeChanged(real ratio)

    readonly property QtObject $DataSourceProgressOutputData: QtObject {
        id: d

        property int mode: 0
        // The smallest positive double: the dynamic maximum starts just above zero.
        property real dynamicMax: Number.MIN_VALUE
        property real dynamicMin: Number.MAX_VALUE

        function updateRange(current) {
            var established = dynamicMax !== dynamicMin && dynamicMax !== Number.MIN_VALUE
                    && dynamicMin !== Number.MAX_VALUE
            if (current > dynamicMax) {
                if (established)
                    output.rangeChanged((dynamicMax - dynamicMin) / (current - dynamicMin))
                dynamicMax = current
            } else if (current < dynamicMin) {
                if (established)
                    output.rangeChanged((dynamicMax - dynamicMin) / (dynamicMax - current))
                dynamicMin = current
            }
        }

        function dynamicUpdate(input) {
            updateRange(input)
            output.result = dynamicMax === dynamicMin ? 0 : (input - dynamicMin) / (dynamicMax - dynamicMin)
        }

        function staticUpdate(input, context) {
            var ratio = (input - context.minimum) / (context.maximum - context.minimum)
            output.result = !Number.isFinite(ratio) ? 0 : ratio < 0 ? 0 : ratio > 1 ? 1 : ratio
        }

        function noAction() {}
    }

    reset: function (mode) {
        d.mode = mode
        d.dynamicMax = Number.MIN_VALUE
        d.dynamicMin = Number.MAX_VALUE
        output.rangeChanged(0)
    }

    update: {
        switch (d.mode) {
        case DataSource.Maximum:
            output.result = 1
            return d.noAction
        case DataSource.Minimum:
            output.result = 0
            return d.noAction
        default:
            return output.dynamic ? d.dynamicUpdate : d.staticUpdate
        }
    }

    onDynamicChanged: reset(d.mode)
}

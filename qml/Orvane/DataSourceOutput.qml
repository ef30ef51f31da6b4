import QtQml 2.12

// The base of the outputs: follows `source` and hands its results to the
// extension points reset(mode) and update(input, context).
QtObject {
    id: output

    property var reset: function () {}
    property var update: function () {}
    property string unit
    property DataSource source: null
    readonly property list<QtObject> $DataSourceOutputData: [
        Connections {
            id: cSourceData
            ignoreUnknownSignals: !output.source
            function onResetOutput() {
                output.reset(output.source.mode)
                output.update(target.processContext.output, target.valueOrContext)
            }
            function onProcessOutput() {
                output.update(target.processContext.output, target.valueOrContext)
            }
        }
    ]

    onSourceChanged: {
        if (source) {
            var data = source.$DataSourceData
            cSourceData.target = data
            // A source that already runs shows its result at once.
            if (data.initialized) {
                reset(source.mode)
                update(data.processContext.output, data.valueOrContext)
            }
        } else {
            cSourceData.target = null
        }
    }
}

import QtQml 2.12
import Orvane 1.0 as ORV
import Orvane.Private 1.0 as ORV
import Orvane.impl 1.0 as Impl

// One live reading chosen by `configuration`, refreshed on a timer, optionally
// run through processors, and announced to the attached outputs.
QtObject {
    id: thiz

    enum Status {
        Null = 0,
        Ready = 1,
        Loading = 2,
        Error = 3
    }

    enum Mode {
        Current = 0,
        Inverse = 1,
        Maximum = 2,
        Minimum = 3
    }

    readonly property alias status: d.status
    readonly property int mode: d.config.mode !== null && d.config.mode !== undefined ? d.config.mode : 0
    readonly property string title: value === Impl.DefaultValue ? "<N/A>" : data.title + " : " + value.title
    readonly property var suffix: d.config.suffix
    readonly property QtObject data: d.object !== null && d.object !== undefined ? d.object : Impl.DefaultData
    readonly property QtObject value: {
        var v = data.query(d.config.value)
        return v !== null && v !== undefined ? v : Impl.DefaultValue
    }
    property var configuration
    readonly property var $DataSourceData: ORV.ObjectLoader {
        id: d

        // Not a QML object, so bindings reading `updating` never depend on it.
        readonly property var uncapture: ({ updating: false })
        readonly property var config: thiz.configuration !== null && thiz.configuration !== undefined ? thiz.configuration : ({})
        readonly property var processContext: ({ unit: "" })
        readonly property var valueOrContext: processors ? processContext : thiz.value
        readonly property var standardOutput: {
            // The numbers are the Mode enumerators.
            switch (thiz.mode) {
            case 2:
                return function (v) { return v.maximum }
            case 3:
                return function (v) { return v.minimum }
            case 1:
                return function (v) { return v.minimum + v.maximum - v.current }
            case 0:
                break
            default:
                console.warn("invalid value mode")
                break
            }
            return function (v) { return v.current }
        }
        property var processors: null
        property bool initialized: false
        // Turns a change of the readings outside update() into one output.
        readonly property var valueChangedHelper: {
            thiz.value.minimum
            thiz.value.maximum
            thiz.value.current
            if (uncapture.updating)
                return undefined
            processOutput()
        }

        signal resetOutput()
        signal processOutput()

        source: config.source !== null && config.source !== undefined ? config.source : ""

        function initialize() {
            initialized = false
            maybeInitialize()
        }

        function maybeInitialize() {
            if (initialized)
                return
            if (processors) {
                for (var i = 0; i < processors.length; ++i)
                    ORV.Shared.destroyProcessor(processors[i])
            }
            if (thiz.value === Impl.DefaultValue) {
                processors = null
                resetOutput()
                return
            }
            initialized = true
            if (config.process)
                processors = ORV.Shared.loadProcessors(config.process, thiz)
            else
                processors = null
            thiz.value.update.configuration = config.update
            thiz.value.update.unit = config.unit !== null && config.unit !== undefined ? config.unit : ""
            thiz.update()
            resetOutput()
        }

        onProcessOutput: {
            var v = thiz.value
            processContext.output = standardOutput(v)
            if (processors) {
                processContext.current = v.current
                processContext.maximum = v.maximum
                processContext.minimum = v.minimum
                processContext.status = v.status
                processContext.unit = v.unit
                for (var i = 0; i < processors.length; ++i) {
                    var processor = processors[i]
                    processor.update(processContext)
                    processor.execute(processContext)
                }
            }
        }

        ORV.SyncTimer {
            id: timer
            interval: d.config.interval !== undefined ? d.config.interval : 1000
            running: thiz.value === Impl.DefaultValue ? false : !!interval
            onTriggered: thiz.update()
        }
    }

    signal updated()

    function update() {
        d.uncapture.updating = true
        thiz.value.update.execute()
        d.processOutput()
        d.uncapture.updating = false
        thiz.updated()
    }

    onValueChanged: d.maybeInitialize()
    onConfigurationChanged: Qt.callLater(d.initialize)
}

pragma Singleton
import QtQml 2.12

// Processors of data sources, made from a "process" configuration: one
// configuration object or an array of them, each naming its "type".
QtObject {
    function loadProcessors(process, dataSource) {
        var configs = Array.isArray(process) ? process : [process]
        var result = []
        for (var i = 0; i < configs.length; ++i) {
            var config = configs[i]
            if (!config || typeof config.type !== "string") {
                console.warn("Shared.loadProcessors: invalid processor: " + JSON.stringify(config))
                continue
            }
            var component = Qt.createComponent("processors/" + config.type + ".qml")
            if (component.status !== Component.Ready) {
                console.warn("Shared.loadProcessors: unknown processor: " + config.type)
                continue
            }
            var processor = component.createObject(null, { configuration: config, dataSource: dataSource })
            if (processor)
                result.push(processor)
        }
        return result
    }

    function destroyProcessor(processor) {
        if (processor && typeof processor.destroy === "function")
            processor.destroy()
    }
}

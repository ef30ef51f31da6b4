pragma Singleton
import QtQml 2.12

// Processors of data sources, made from a "process" configuration: one
// configuration object, a type name, or an array of these. A configuration
// names its processor by "type": a built-in (processors/<type>.qml) or the
// absolute URL of a component. What cannot be made is skipped with a warning.
QtObject {
    signal processorLoaded(var processor)
    signal processorDestroying(var processor)

    function componentUrl(type) {
        if (/^[a-z][A-Za-z0-9_]*$/.test(type))
            return Qt.resolvedUrl("processors/" + type + ".qml")
        if (/^[a-z][a-z0-9+.-]*:/.test(type))
            return type
        return ""
    }

    function loadProcessors(process, dataSource) {
        var configs = Array.isArray(process) ? process : [process]
        var result = []
        for (var i = 0; i < configs.length; ++i) {
            var config = typeof configs[i] === "string" ? { type: configs[i] } : configs[i]
            try {
                if (!config || typeof config !== "object" || typeof config.type !== "string")
                    throw new Error("invalid processor: " + JSON.stringify(configs[i]))
                var url = componentUrl(config.type)
                var component = url ? Qt.createComponent(url) : null
                if (!component || component.status !== Component.Ready)
                    throw new Error("unknown processor: " + config.type)
                var processor = component.createObject(null, { configuration: config, dataSource: dataSource })
                if (!processor)
                    throw new Error("cannot create processor: " + config.type)
                if (typeof processor.update !== "function" || typeof processor.execute !== "function") {
                    processor.destroy()
                    throw new Error("not a processor: " + config.type)
                }
                result.push(processor)
                processorLoaded(processor)
            } catch (err) {
                console.warn("Shared.loadProcessors: " + err.message)
            }
        }
        return result
    }

    function destroyProcessor(processor) {
        if (!processor || typeof processor.destroy !== "function")
            return
        processorDestroying(processor)
        processor.destroy()
    }
}

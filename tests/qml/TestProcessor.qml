import QtQml 2.12

// A processor that remembers what it was given and adds configuration.add.
QtObject {
    property var configuration
    property var dataSource
    property var seen: []

    function snapshot(step, context) {
        seen.push({ step: step, output: context.output, current: context.current, maximum: context.maximum,
                    minimum: context.minimum, status: context.status, unit: context.unit })
    }
    function update(context) {
        snapshot("update", context)
    }
    function execute(context) {
        snapshot("execute", context)
        context.output += configuration.add || 0
    }
}

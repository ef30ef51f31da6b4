import QtQml 2.12

// Records the context of each call and adds configuration.add to the output.
QtObject {
    property var configuration
    property var seen: []
    function record(step, c) { seen.push([step, c.output, c.current, c.maximum, c.minimum, c.status, c.unit]) }
    function update(context) { record("update", context) }
    function execute(context) { record("execute", context); context.output += configuration.add || 0 }
}

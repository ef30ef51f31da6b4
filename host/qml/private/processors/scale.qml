import QtQml 2.12

// Multiplies the output by "factor" and adds "offset".
QtObject {
    property var configuration
    property var dataSource

    function update(context) {}
    function execute(context) {
        var factor = configuration.factor !== undefined ? Number(configuration.factor) : 1
        var offset = configuration.offset !== undefined ? Number(configuration.offset) : 0
        context.output = context.output * factor + offset
    }
}

import QtQml 2.12

// Keeps the output between "min" and "max"; a bound left out is the value's own.
QtObject {
    property var configuration
    property var dataSource

    function update(context) {}
    function execute(context) {
        var low = configuration.min !== undefined ? Number(configuration.min) : context.minimum
        var high = configuration.max !== undefined ? Number(configuration.max) : context.maximum
        if (context.output < low)
            context.output = low
        else if (context.output > high)
            context.output = high
    }
}

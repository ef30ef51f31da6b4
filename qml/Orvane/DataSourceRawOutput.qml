import QtQml 2.12

// The source's output unchanged.
DataSourceOutput {
    id: output

    property var result

    update: function (input, context) {
        output.result = input
        output.unit = context.unit
    }
}

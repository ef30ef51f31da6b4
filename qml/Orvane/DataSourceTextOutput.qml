import QtQml 2.12

// The source's output as text, numbers rounded to the configured digits.
DataSourceOutput {
    id: output

    property string result
    property int fixedDecimalDigits: -1
    property int maximumDecimalDigits: 2
    property string undefinedText: "undefined"
    property string nullText: "null"
    readonly property int __roundParam: fixedDecimalDigits >= 0 ? fixedDecimalDigits
                                        : maximumDecimalDigits > 0 ? Math.pow(10, maximumDecimalDigits) : 0
    readonly property var __roundFunc: fixedDecimalDigits >= 0 || maximumDecimalDigits === 0 ? __roundFixed
                                       : maximumDecimalDigits > 0 ? __roundFloat : String

    function __roundFloat(input) {
        // EPSILON first, so that halves stored slightly low (1.005) round up.
        return String(Math.round((input + Number.EPSILON) * __roundParam) / __roundParam)
    }

    function __roundFixed(input) {
        return input.toFixed(__roundParam)
    }

    update: function (input, context) {
        if (typeof input === "number")
            output.result = output.__roundFunc(input)
        else if (input === undefined)
            output.result = output.undefinedText
        else if (input === null)
            output.result = output.nullText
        else
            output.result = String(input)
        output.unit = context.unit
    }
}

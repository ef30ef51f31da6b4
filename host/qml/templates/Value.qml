import QtQml 2.12

// One reading of a data provider.
QtObject {
    property string title
    property real current: 0
    property real minimum: 0
    property real maximum: 0
    property int status: 0
    property string unit
    readonly property ValueUpdate update: ValueUpdate {}
}

import QtQml 2.12

// How a value refreshes: the source's "update" configuration and unit, and execute().
QtObject {
    property var configuration
    property string unit
    property var refresh: function () {}

    function execute() {
        refresh()
    }
}

import QtQml 2.12

// A data provider: query(key) returns one of its value objects, or null.
QtObject {
    property string title
    property var values: ({})

    function query(key) {
        if (key === undefined || key === null)
            return null
        var value = values[String(key)]
        return value !== undefined ? value : null
    }
}

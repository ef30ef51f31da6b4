import QtQml 2.12

// A data provider: query(key) returns one of its value objects, or null.
QtObject {
    property string title
    property var values: ({})

    function query(key) {
        if (key === undefined || key === null || !values || typeof values !== "object")
            return null
        var name = String(key)
        // Own members only: "toString" is no value.
        if (!Object.prototype.hasOwnProperty.call(values, name))
            return null
        var value = values[name]
        return value !== undefined ? value : null
    }
}

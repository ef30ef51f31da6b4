import QtQml 2.12

// Picks a picture per control state. `states` are the control's defaults and
// `configuration` the user's choice; each is a location for every state or an
// object with "normal", "hovered" and "pressed". The user's choice wins state by
// state; a state neither gives falls back to hovered, then normal.
QtObject {
    property var states
    property var configuration

    function pick(value, state) {
        if (value === undefined || value === null || value === "")
            return undefined
        if (typeof value !== "object")
            return value
        var picked = value[state]
        return picked === undefined || picked === null || picked === "" ? undefined : picked
    }
    function select(state, fallbacks) {
        // A state the user left out takes the control's own picture for it
        // before any fallback state.
        var order = [state].concat(fallbacks)
        for (var i = 0; i < order.length; ++i) {
            var picked = pick(configuration, order[i])
            if (picked !== undefined)
                return picked
            picked = pick(states, order[i])
            if (picked !== undefined)
                return picked
        }
        return ""
    }

    readonly property var normal: select("normal", [])
    readonly property var hovered: select("hovered", ["normal"])
    readonly property var pressed: select("pressed", ["hovered", "normal"])
}

import QtQml 2.12

// Moving average of the output over the last "samples" updates (default 5).
QtObject {
    property var configuration
    property var dataSource

    property var window: []

    function samples() {
        var n = configuration && configuration.samples !== undefined ? Math.floor(Number(configuration.samples)) : 5
        return n > 0 ? n : 1
    }

    function update(context) {
        var output = Number(context.output)
        if (!Number.isFinite(output))
            return
        window.push(output)
        var n = samples()
        if (window.length > n)
            window.splice(0, window.length - n)
    }

    function execute(context) {
        if (window.length === 0)
            return
        var sum = 0
        for (var i = 0; i < window.length; ++i)
            sum += window[i]
        context.output = sum / window.length
    }
}

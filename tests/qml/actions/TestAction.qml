import QtQml 2.12
import Orvane.Templates 1.0 as T

// Counts its runs; configuration { label, external, fail, system }.
T.Action {
    title: "Test action"
    description: "Counts its runs"
    label: configuration && configuration.label ? configuration.label : "Do it"
    shortcut: "Ctrl+T"
    _isSystem: !!(configuration && configuration.system)
    property int runs: 0
    property var lastSource: null
    run: function (source, configuration) {
        ++runs
        lastSource = source
        if (configuration.fail)
            throw new Error("action failed")
        return { external: !!configuration.external }
    }
}

import QtQml 2.12
import Orvane.Templates 1.0 as T

T.Action {
    title: "Test action"
    label: configuration && configuration.label ? configuration.label : "Do it"
    _isSystem: !!(configuration && configuration.system)
    property int runs: 0
    run: function (source, configuration) {
        ++runs
        if (configuration.fail)
            throw new Error("action failed")
        return { external: !!configuration.external }
    }
}

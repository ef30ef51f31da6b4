import QtQml 2.12
import Orvane.Private 1.0
import Orvane.Templates 1.0 as T

// Runs a program: configuration { path, param, cwd, label }. The program runs on
// its own, outside the shell, so the result is external.
T.Action {
    title: qsTr("Run a program")
    description: qsTr("Starts a program with its parameters.")
    label: configuration && configuration.label ? String(configuration.label)
                                                : configuration && configuration.path ? String(configuration.path) : title

    run: function (source, configuration) {
        var config = configuration ? configuration : {}
        if (!config.path)
            throw new Error("no program to run")
        var started = Core.execute(config.path, config.param ? config.param : "",
                                   config.cwd ? config.cwd : "", "open")
        if (!started)
            throw new Error("cannot run " + config.path)
        return { external: true }
    }
}

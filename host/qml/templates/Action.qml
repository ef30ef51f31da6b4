import QtQml 2.12

// The base of the shell's actions; execute() answers with a promise.
QtObject {
    property string title
    property string description
    property bool enabled: true
    property string label
    property string shortcut
    property bool _isSystem: false
    property var configuration

    // Subclasses replace run(source, configuration): it returns the result or throws.
    property var run: function (source, configuration) {
        throw new Error("action has nothing to run")
    }

    function execute(source) {
        var action = this
        return new Promise(function (resolve, reject) {
            try {
                resolve(action.run(source, action.configuration))
            } catch (err) {
                reject(err)
            }
        })
    }
}

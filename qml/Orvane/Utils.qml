pragma Singleton
import QtQml 2.12
import Orvane.impl 1.0 as Impl

Impl.Utils {
    // Errors carry where they were thrown; other values print as they are.
    function printError(err) {
        if (err === undefined)
            return
        var message = String(err)
        if (err instanceof Error)
            message = err.fileName + ":" + err.lineNumber + ": " + message
        console.warn(message)
    }
}

import QtQml 2.12
import Orvane.Templates 1.0 as T

// "reading" starts at 30 in 0..100; `hook` runs inside every execute().
T.Data {
    id: provider
    title: "Test"
    values: ({ reading: reading })
    property var hook: null

    readonly property T.Value reading: T.Value {
        id: reading
        title: "Reading"; unit: "u"; minimum: 0; maximum: 100; current: 30; status: 1
        update.refresh: function () { if (provider.hook) provider.hook(reading) }
    }
}

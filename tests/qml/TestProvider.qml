import QtQml 2.12
import Orvane.Templates 1.0 as T

// A data provider the tests drive: "reading" starts at 30 between 0 and 100;
// `hook` runs inside every execute(), `executions` counts them.
T.Data {
    id: provider

    title: "Test"
    values: ({ reading: reading, other: other })

    property var hook: null
    property int executions: 0

    readonly property T.Value reading: T.Value {
        id: reading
        title: "Reading"
        unit: "u"
        minimum: 0
        maximum: 100
        current: 30
        status: 1
        update.refresh: function () {
            ++provider.executions
            if (provider.hook)
                provider.hook(reading)
        }
    }

    readonly property T.Value other: T.Value {
        id: other
        title: "Other"
        minimum: -10
        maximum: 10
        current: 5
    }
}

import QtQuick 2.12
import Orvane.impl 1.0 as Impl

// A unit the host drives through the three hooks below; overridden by the module's author.
Impl.Module {
    default property list<QtObject> data

    property var initialize: function () { return true }
    property var ready: function () {}
    property var cleanup: function () {}
}

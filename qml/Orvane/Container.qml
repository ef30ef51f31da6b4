import QtQml 2.12

// Collects the objects written inside it, and does nothing else with them.
QtObject {
    default property list<QtObject> data
}

import QtQml 2.12

// An object that carries an icon description for the shell to paint.
QtObject {
    readonly property IconProperties icon: IconProperties {}
}

pragma Singleton
import QtQml 2.12
import Orvane.Private 1.0

// The shell's core as widgets see it: process services and the system services.
QtObject {
    id: thiz

    // Writable so that a shell without system services (null) can be tried out.
    property QtObject system: SystemServices { nativeCore: NativeCore }

    function keyboardModifiers() {
        return NativeCore.keyboardModifiers()
    }
    function showPreferences() {
        return NativeCore.showPreferences()
    }
    function execute(path, param, cwd, verb) {
        return NativeCore.execute(String(path), String(param), String(cwd), String(verb))
    }
    function command(cmd, cwd) {
        return NativeCore.command(String(cmd), String(cwd))
    }
    function restartOnExit() {
        NativeCore.restartOnExit()
    }
}

pragma Singleton
import QtQml 2.12
import Orvane 1.0 as ORV
import Orvane.Private 1.0 as ORV

// Widgets' one way to the host's system services; each function is a fixed translation.
QtObject {
    id: thiz

    enum OpenResult {
        OpenFailed = 0,
        OpenInternal = 1,
        OpenExternal = 2
    }

    enum OpenOptionFlags {
        OpenFileElevated = 1,
        OpenPreferInternal = 16,
        OpenExternalOnly = 32
    }

    function popupMenu(menu) {
        return ORV.PopupMenu.open(menu)
    }

    function popupDialog(dialog) {
        return ORV.PopupDialog.open(dialog)
    }

    function messageBox(message) {
        if (message instanceof Object)
            return ORV.Core.system.messageBox(message)
        throw new TypeError()
    }

    function showLauncher() {
        ORV.LauncherCompositor.visible = true
        return true
    }

    function hideLauncher() {
        ORV.LauncherCompositor.visible = false
        return true
    }

    function toggleLauncher() {
        ORV.LauncherCompositor.visible = !ORV.LauncherCompositor.visible
        return true
    }

    function customizeLauncher() {
        if (ORV.Core.system) {
            ORV.Core.system.showLauncherEditor()
            return true
        }
        return false
    }

    function manageWidgets() {
        if (ORV.Core.system) {
            ORV.Core.system.showWidgetGellary()
            return true
        }
        return false
    }

    function openWorkshop() {
        if (ORV.Core.system)
            return ORV.Core.system.showWorkshop()
        return false
    }

    function showPreferences() {
        return ORV.Core.showPreferences()
    }

    function openFile(url, option) {
        return ORV.Core.system.openFile(url, option)
    }

    // The host opens a folder by executing it. The numbers are OpenExternal and
    // OpenFailed: naming its own type would make this singleton depend on itself.
    function openFolder(url, option) {
        var path = ORV.Url.toLocalFile(url)
        return thiz.execute(path) ? 2 : 0
    }

    function openLink(url, option) {
        return ORV.Core.system.openLink(url, option)
    }

    // Only a switch that is strictly false silences: a missing setting means on.
    function playSound(sound) {
        if (ORV.CFG.audio.sfx_on !== false) {
            sound.play()
            return true
        }
        return false
    }

    function execute(path, param, cwd, verb) {
        var p = param == null ? "" : param
        var c = cwd == null ? "" : cwd
        var v = verb == null ? "" : verb
        return ORV.Core.execute(path, p, c, v)
    }

    function command(cmd, cwd) {
        var c = cwd == null ? "" : cwd
        return ORV.Core.command(cmd, c)
    }

    function exit() {
        if (ORV.Core.system)
            ORV.Core.system.exit()
        else
            Qt.quit()
        return true
    }

    function restart() {
        ORV.Core.restartOnExit()
        return thiz.exit()
    }
}

import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0

TestCase {
    name: "Sfx"

    SignalSpy { id: changes; target: SFX.PopupMenu; signalName: "playingChanged" }

    function test_stockSoundPlaysFromQml() {
        var menu = SFX.PopupMenu
        verify(/^file:\/\/.*\/PopupMenu\.wav$/.test(menu.defaultSource.toString()))
        menu.source = menu.defaultSource
        menu.play()
        tryCompare(changes, "count", 2, 5000) // it started, then ended
    }
}

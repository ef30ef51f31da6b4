import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0

TestCase {
    name: "Sfx"

    function test_stockSoundPlaysFromQml() {
        var menu = SFX.PopupMenu
        verify(/^file:\/\/.*\/PopupMenu\.wav$/.test(menu.defaultSource.toString()))
        menu.source = menu.defaultSource
        menu.play()
        tryVerify(function() { return !menu.playing }, 5000)
    }
}

import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0

TestCase {
    id: testCase
    name: "Sfx"

    SoundEffect {
        id: declared
    }

    function test_stockSoundPlays() {
        var menu = SFX.PopupMenu
        compare(menu.source.toString(), "")
        verify(menu.defaultSource.toString().indexOf("file://") === 0)
        verify(/\/PopupMenu\.wav$/.test(menu.defaultSource.toString()))
        menu.source = menu.defaultSource
        compare(menu.source, menu.defaultSource)
        menu.play()
        tryVerify(function() { return menu.playing }, 5000)
        menu.stop()
        tryVerify(function() { return !menu.playing }, 5000)
    }

    function test_declaredEffect() {
        var changes = 0
        declared.sourceChanged.connect(function() { ++changes })
        declared.source = SFX.NotifyAlert.defaultSource
        declared.source = SFX.NotifyAlert.defaultSource
        compare(changes, 1)
        verify(!declared.playing)
        declared.play()
        tryVerify(function() { return declared.playing }, 5000)
        declared.stop()
        tryVerify(function() { return !declared.playing }, 5000)
    }
}

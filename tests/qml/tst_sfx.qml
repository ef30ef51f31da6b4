import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0

TestCase {
    id: testCase
    name: "Sfx"

    SoundEffect {
        id: declared
    }

    function test_stockSoundFromQml() {
        var menu = SFX.PopupMenu
        compare(menu.source.toString(), "")
        verify(!menu.playing)
        verify(menu.defaultSource.toString().indexOf("file://") === 0)
        verify(/\/PopupMenu\.wav$/.test(menu.defaultSource.toString()))
        menu.source = menu.defaultSource
        compare(menu.source, menu.defaultSource)
        menu.play()
        menu.stop()
        tryVerify(function() { return !menu.playing }, 5000)
    }

    function test_declaredEffect() {
        var changes = 0
        declared.sourceChanged.connect(function() { ++changes })
        declared.source = SFX.NotifyAlert.defaultSource
        declared.source = SFX.NotifyAlert.defaultSource
        compare(changes, 1)
        compare(declared.source, SFX.NotifyAlert.defaultSource)
        verify(!declared.playing)
        declared.source = ""
        compare(changes, 2)
    }
}

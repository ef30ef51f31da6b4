import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0
import Orvane.impl 1.0 as Impl
import Orvane.Private 1.0 as ORV

TestCase {
    id: testCase
    name: "Imports"

    Impl.Module { id: nativeModule }
    View { id: view; title: "page" }
    ResourceFilter { id: filter }

    function test_types() {
        // The native Module of the private module is the host class, without the public hooks.
        compare([nativeModule.initialize, view.title, view.completed, filter.domain], [undefined, "page", true, ".*"])
        verify(Impl.DefaultData && Impl.DefaultValue && Impl.DefaultData !== Impl.DefaultValue)
        verify(LauncherCompositor && WindowCompositor && LauncherCompositor !== WindowCompositor)
        compare([typeof ORV.Core.keyboardModifiers(), typeof ORV.CFG.audio.sfx_on], ["number", "boolean"])
        verify(ORV.Core.system)
    }

    Component {
        id: loaderComponent
        ORV.ObjectLoader {
            id: loaderRoot
            property int ticks: 0
            ORV.SyncTimer { interval: 20; running: true; onTriggered: ++loaderRoot.ticks }
        }
    }

    function test_loaderAndTimer() {
        var loader = createTemporaryObject(loaderComponent, testCase)
        compare([loader.object, loader.status], [null, ORV.ObjectLoader.Null])
        // The loader keeps its default children alive.
        tryVerify(function () { return loader.ticks >= 2 })
        loader.source = Qt.resolvedUrl("data/Loaded.qml")
        compare([loader.status, loader.object.answer], [ORV.ObjectLoader.Ready, 42])
        ignoreWarning(new RegExp("^ObjectLoader::load: cannot load: nothing-here: "))
        loader.source = "nothing-here"
        compare([loader.object, loader.status], [null, ORV.ObjectLoader.Error])
    }
}

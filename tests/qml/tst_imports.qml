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

    function test_privateModule() {
        // The native Module of the private module is the host class, without the
        // hooks that the public component adds.
        verify(nativeModule !== null)
        compare(nativeModule.initialize, undefined)
        verify(Impl.DefaultData !== null)
        verify(Impl.DefaultValue !== null)
        compare(Impl.DefaultValue, Impl.DefaultValue)
        verify(Impl.DefaultData !== Impl.DefaultValue)
    }

    function test_hostTypes() {
        compare(view.title, "page")
        verify(view.completed)
        compare(filter.domain, ".*")
        verify(LauncherCompositor !== null)
        verify(WindowCompositor !== null)
        LauncherCompositor.visible = true
        verify(LauncherCompositor.visible)
        LauncherCompositor.visible = false
        verify(!LauncherCompositor.visible)
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
        compare(loader.object, null)
        compare(loader.status, ORV.ObjectLoader.Null)
        tryVerify(function () { return loader.ticks >= 2 }, 2000)

        loader.source = Qt.resolvedUrl("data/Loaded.qml")
        compare(loader.status, ORV.ObjectLoader.Ready)
        compare(loader.object.answer, 42)

        ignoreWarning(new RegExp("^ObjectLoader::load: cannot load: nothing-here: "))
        loader.source = "nothing-here"
        compare(loader.object, null)
        compare(loader.status, ORV.ObjectLoader.Error)
    }

    function test_hostCore() {
        compare(typeof ORV.Core.keyboardModifiers(), "number")
        verify(ORV.Core.system)
        compare(typeof ORV.CFG.audio.sfx_on, "boolean")
    }
}

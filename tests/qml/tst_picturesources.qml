import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0

TestCase {
    id: tc
    name: "PictureSources"

    Component { id: imageComponent; ImageSource {} }
    Component { id: iconComponent; IconSource {} }
    Component { id: backgroundComponent; BackgroundSource {} }

    readonly property var states: ({ normal: "file:///pics/n.png", hovered: "file:///pics/h.png",
                                     pressed: "file:///pics/p.png" })

    function test_image() {
        var image = createTemporaryObject(imageComponent, tc)
        compare(image.configuration, undefined)
        compare(String(image.source), "")
        verify(image.mipmap)
        verify(image.smooth)
        verify(!image.cache)
        image.configuration = ""
        compare(String(image.source), "")
        image.configuration = "file:///pics/a.gif"
        compare(String(image.source), "file:///pics/a.gif")
        // Relative locations resolve against the component's own URL.
        image.configuration = "pic.png"
        compare(String(image.source), "qrc:/qml/Orvane/pic.png")
        image.configuration = null
        compare(String(image.source), "")
    }

    function test_states_data() {
        return [
            { tag: "icon", component: iconComponent, defaults: "defaultIcon",
              url: function (o) { return String(o.icon.source) } },
            { tag: "background", component: backgroundComponent, defaults: "defaultBackground",
              url: function (o) { return String(o.source) } },
        ]
    }

    function test_states(row) {
        var props = {}
        props[row.defaults] = states
        var o = createTemporaryObject(row.component, tc, props)
        compare(o[row.defaults], states)
        compare(o.hovered, false)
        compare(o.pressed, false)
        compare(row.url(o), "file:///pics/n.png")
        o.hovered = true
        compare(row.url(o), "file:///pics/h.png")
        o.pressed = true
        compare(row.url(o), "file:///pics/p.png")
        o.hovered = false
        compare(row.url(o), "file:///pics/p.png")
        o.pressed = false
        compare(row.url(o), "file:///pics/n.png")
        // The user's choice wins over the defaults, state by state.
        o.configuration = { hovered: "file:///user/h.png" }
        compare(o.configuration, { hovered: "file:///user/h.png" })
        compare(row.url(o), "file:///pics/n.png")
        o.hovered = true
        compare(row.url(o), "file:///user/h.png")
        o.configuration = "mine.png"
        compare(row.url(o), "qrc:/qml/Orvane/mine.png")
    }

    function test_empty_data() {
        return test_states_data()
    }

    function test_empty(row) {
        var o = createTemporaryObject(row.component, tc)
        compare(row.url(o), "")
        o.pressed = true
        compare(row.url(o), "")
    }
}

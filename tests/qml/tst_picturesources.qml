import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0

TestCase {
    id: tc
    name: "PictureSources"

    Component { id: imageComponent; ImageSource {} }
    Component { id: iconComponent; IconSource {} }
    Component { id: backgroundComponent; BackgroundSource {} }

    // The pictures differ in size (2, 3, 4 and 5 pixels), so the size tells which one shows.
    function picture(name) {
        return String(Qt.resolvedUrl("pictures/" + name + ".png"))
    }

    readonly property var states: ({ normal: picture("normal"), hovered: picture("hovered"),
                                     pressed: picture("pressed") })

    function test_image() {
        var image = createTemporaryObject(imageComponent, tc)
        compare([image.configuration, String(image.source), image.status], [undefined, "", Image.Null])
        compare([image.mipmap, image.smooth, image.cache], [true, true, false])
        image.configuration = ""
        compare([String(image.source), image.status], ["", Image.Null])
        image.configuration = picture("hovered")
        compare(String(image.source), picture("hovered"))
        tryCompare(image, "status", Image.Ready)
        compare(image.sourceSize.width, 3)
        image.configuration = null
        compare(String(image.source), "")
        // Relative locations resolve against the component's own URL.
        ignoreWarning(/Error Reading Animated Image File qrc:\/qml\/Orvane\/pic.png/)
        image.configuration = "pic.png"
        compare(String(image.source), "qrc:/qml/Orvane/pic.png")
    }

    function test_states_data() {
        return [
            { tag: "icon", component: iconComponent, defaults: "defaultIcon",
              url: function (o) { return String(o.icon.source) },
              size: function (o) { return o.implicitWidth } },
            { tag: "background", component: backgroundComponent, defaults: "defaultBackground",
              url: function (o) { return String(o.source) },
              size: function (o) { return o.sourceSize.width } },
        ]
    }

    function test_states(row) {
        var props = {}
        props[row.defaults] = states
        var o = createTemporaryObject(row.component, tc, props)
        compare([o[row.defaults], o.hovered, o.pressed, row.url(o)], [states, false, false, picture("normal")])
        tryCompare(o, "status" in o ? "status" : "implicitWidth", "status" in o ? Image.Ready : 2)
        compare(row.size(o), 2)
        o.hovered = true
        compare(row.url(o), picture("hovered"))
        tryVerify(function () { return row.size(o) === 3 })
        o.pressed = true
        compare(row.url(o), picture("pressed"))
        tryVerify(function () { return row.size(o) === 4 })
        o.hovered = false
        compare(row.url(o), picture("pressed"))
        o.pressed = false
        compare(row.url(o), picture("normal"))
        // The user's choice wins over the defaults, state by state.
        o.configuration = { hovered: picture("user") }
        compare(o.configuration, { hovered: picture("user") })
        compare(row.url(o), picture("normal"))
        o.hovered = true
        compare(row.url(o), picture("user"))
        tryVerify(function () { return row.size(o) === 5 })
        o.pressed = true
        compare(row.url(o), picture("pressed"))
        // Writing the defaults writes the selector's states.
        o[row.defaults] = picture("user")
        compare(o[row.defaults], picture("user"))
        o.configuration = undefined
        compare(row.url(o), picture("user"))
    }

    function test_empty_data() {
        return test_states_data()
    }

    function test_empty(row) {
        var o = createTemporaryObject(row.component, tc)
        compare(row.url(o), "")
        o.pressed = true
        o.hovered = true
        compare(row.url(o), "")
    }
}

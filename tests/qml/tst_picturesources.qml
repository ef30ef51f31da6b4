import QtQuick 2.12
import QtTest 1.2
import Orvane 1.0

TestCase {
    id: tc
    name: "PictureSources"

    Component { id: imageComponent; ImageSource {} }
    Component { id: iconComponent; IconSource {} }
    Component { id: backgroundComponent; BackgroundSource {} }

    // Only hovered.png is 3 pixels wide, so the size tells when it shows.
    function picture(name) { return String(Qt.resolvedUrl("pictures/" + name + ".png")) }
    readonly property var states: ({ normal: picture("normal"), hovered: picture("hovered"), pressed: picture("pressed") })

    function test_image() {
        var image = createTemporaryObject(imageComponent, tc, { configuration: picture("hovered") })
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
              url: function (o) { return String(o.icon.source) }, size: function (o) { return o.implicitWidth } },
            { tag: "background", component: backgroundComponent, defaults: "defaultBackground",
              url: function (o) { return String(o.source) }, size: function (o) { return o.sourceSize.width } },
        ]
    }

    function test_states(row) {
        compare(row.url(createTemporaryObject(row.component, tc, { pressed: true })), "")
        var o = createTemporaryObject(row.component, tc)
        o[row.defaults] = states
        var shown = function (hovered, pressed) { o.hovered = hovered; o.pressed = pressed; return row.url(o) }
        compare([shown(true, false), shown(true, true), shown(false, true), shown(false, false)],
                [states.hovered, states.pressed, states.pressed, states.normal])
        // The user's choice wins over the defaults, state by state.
        o.configuration = { hovered: states.pressed }
        compare([shown(true, false), shown(true, true), shown(false, false)], [states.pressed, states.pressed, states.normal])
        o.configuration = undefined
        o[row.defaults] = picture("hovered")
        compare(shown(true, true), states.hovered)
        tryVerify(function () { return row.size(o) === 3 })
    }
}

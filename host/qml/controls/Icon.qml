import QtQuick 2.12
import Orvane.Private 1.0 as ORV

// An icon picture; icon.source names it, icon.color tints nothing but is kept for styles.
Item {
    id: thiz

    readonly property ORV.IconProperties icon: ORV.IconProperties {}

    implicitWidth: icon.width > 0 ? icon.width : image.implicitWidth
    implicitHeight: icon.height > 0 ? icon.height : image.implicitHeight

    Image {
        id: image
        anchors.fill: parent
        source: thiz.icon.source
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
    }
}

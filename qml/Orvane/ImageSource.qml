import QtQuick 2.12

// An image, animated or not, named by `configuration`.
AnimatedImage {
    id: thiz

    property var configuration

    mipmap: true
    smooth: true
    cache: false
    source: configuration ? Qt.resolvedUrl(configuration) : ""
}

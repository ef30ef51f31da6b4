import QtQuick 2.12

// A background picture whose borders stay unscaled.
BorderImage {
    border { left: 8; top: 8; right: 8; bottom: 8 }
    horizontalTileMode: BorderImage.Stretch
    verticalTileMode: BorderImage.Stretch
}

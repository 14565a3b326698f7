import QtQuick
import "../common"

// The window's background, filling the whole root at its real size: a dark
// vertical gradient under a fine grid, framed by a hairline. Drawn from
// rectangles and one small tile, so it costs almost no texture memory at
// any window size.
Item {
    id: environment
    clip: true

    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#1d1f23" }
            GradientStop { position: 0.45; color: "#17181b" }
            GradientStop { position: 1.0; color: "#0e0f11" }
        }
    }
    Image {
        anchors.fill: parent
        source: "qrc:/modules/img/background.svg"
        sourceSize: Qt.size(32, 32)
        fillMode: Image.Tile
        horizontalAlignment: Image.AlignLeft
        verticalAlignment: Image.AlignTop
    }
    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.color: mainIten.colorGray1
        border.width: 1
    }
}

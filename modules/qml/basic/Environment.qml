import QtQuick
import "../common"

// The window's background, filling the whole root at its real size.
Item {
    id: environment
    clip: true

    SvgImage {
        anchors.fill: parent
        renderScale: 1
        source: "qrc:/modules/img/background.svg"
    }
}

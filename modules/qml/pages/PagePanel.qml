import QtQuick

// A framed panel of a page, with a caption in its top-left corner.
Rectangle {
    id: panel
    property string caption: ""
    color: "#cc17181b"
    radius: 4
    border.color: mainIten.colorGray1
    border.width: 1

    Rectangle {
        x: 0
        y: 14
        width: 3
        height: 20
        color: mainIten.colorPrimary
    }
    Text {
        x: 16
        y: 12
        text: panel.caption
        color: mainIten.fontColor
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMaxSize
        font.letterSpacing: mainIten.langIndex === 0 ? 1 : 0
    }
}

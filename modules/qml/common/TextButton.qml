import QtQuick

// A framed text button of the bottom bar and the dialogs.
Item {
    id: button
    property string text: ""
    // Text colour when the pointer is elsewhere; hover always uses colorPrimary.
    property color textColor: mainIten.fontColor
    readonly property bool hovered: area.containsMouse
    readonly property bool pressed: area.pressed
    // The narrowest the button gets; a longer text (German "Zurücksetzen")
    // widens it so that the frame's art never touches the letters.
    property int minimumWidth: 120
    // Room kept free on each side of the text.
    readonly property int padding: 14
    signal clicked()

    implicitWidth: Math.max(minimumWidth, Math.ceil(label.implicitWidth) + 2 * padding)
    implicitHeight: 36

    SvgImage {
        anchors.fill: parent
        source: mainIten.skinImage("index", area.pressed ? "btnP.svg" : area.containsMouse ? "btnH.svg" : "btn.svg")
    }
    Text {
        id: label
        anchors.centerIn: parent
        anchors.verticalCenterOffset: 1
        text: button.text
        color: area.containsMouse ? mainIten.colorPrimary : button.textColor
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMaxSize
        font.letterSpacing: mainIten.langIndex === 0 ? 1 : 0
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}

import QtQuick

// A framed text button of the bottom bar and the dialogs.
Item {
    id: button
    property string text: ""
    // Text colour when the pointer is elsewhere; hover always uses colorPrimary.
    property color textColor: mainIten.fontColor
    readonly property bool hovered: area.containsMouse
    readonly property bool pressed: area.pressed
    signal clicked()

    implicitWidth: 120
    implicitHeight: 36

    SvgImage {
        anchors.fill: parent
        source: mainIten.skinImage("index", area.pressed ? "btnP.svg" : area.containsMouse ? "btnH.svg" : "btn.svg")
    }
    Text {
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

import QtQuick

// One tab of the tab bar: 200 by 44, selected, hovered or plain.
Item {
    id: tab
    property string text: ""
    property bool selected: false
    // Room kept free on each side of the text.
    readonly property int padding: 14
    signal clicked()

    width: Math.max(200, Math.ceil(label.implicitWidth) + 2 * padding)
    height: 44

    SvgImage {
        anchors.fill: parent
        source: mainIten.skinImage("index", tab.selected ? "tabS.svg" : area.containsMouse ? "tabH.svg" : "tab.svg")
    }
    Text {
        id: label
        anchors.centerIn: parent
        anchors.verticalCenterOffset: -1
        text: tab.text
        color: tab.selected ? mainIten.colorPrimary : area.containsMouse ? mainIten.fontColor : mainIten.colorGray3
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMaxSize
        font.letterSpacing: mainIten.langIndex === 0 ? 1.5 : 0
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: tab.clicked()
    }
}

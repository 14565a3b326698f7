import QtQuick

// A small tick box with an optional label.
Item {
    id: box
    property bool checked: false
    property string text: ""
    signal toggled(bool checked)

    implicitWidth: label.text.length > 0 ? 22 + label.implicitWidth : 16
    implicitHeight: 20

    Rectangle {
        id: frame
        width: 16
        height: 16
        anchors.verticalCenter: parent.verticalCenter
        radius: 3
        color: box.checked ? mainIten.colorPrimary : "#1f2024"
        border.color: area.containsMouse || box.checked ? mainIten.colorPrimary : mainIten.colorGray6
        Text {
            anchors.centerIn: parent
            visible: box.checked
            text: "\u2713"
            color: "#1a1a1a"
            font.pixelSize: 13
            font.bold: true
        }
    }
    Text {
        id: label
        x: 22
        anchors.verticalCenter: parent.verticalCenter
        text: box.text
        color: mainIten.colorGray3
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize + 2
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        // The owner stores the new state; checked follows through its binding.
        onClicked: box.toggled(!box.checked)
    }
}

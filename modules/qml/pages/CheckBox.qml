import QtQuick
import "../common"

// A small tick box with an optional label.
Item {
    id: box
    property bool checked: false
    property string text: ""
    // The name for assistive technology when the box has no label of its own.
    property string accessibleName: text
    signal toggled(bool checked)

    activeFocusOnTab: mainIten.keyReachable(box)
    Accessible.role: Accessible.CheckBox
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onPressAction: box.toggled(!box.checked)
    Accessible.onToggleAction: box.toggled(!box.checked)
    Keys.onSpacePressed: box.toggled(!box.checked)
    Keys.onReturnPressed: box.toggled(!box.checked)
    Keys.onEnterPressed: box.toggled(!box.checked)

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
    FocusRing { anchors.fill: frame }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        // The owner stores the new state; checked follows through its binding.
        onClicked: box.toggled(!box.checked)
    }
}

import QtQuick
import "../common"

// A tick box or a round choice with its label. `exclusive` draws the round
// form used for one-of-several choices.
Item {
    id: check
    property string text: ""
    property bool checked: false
    property bool exclusive: false
    property int labelWidth: -1
    signal toggled()

    activeFocusOnTab: mainIten.keyReachable(check)
    Accessible.role: exclusive ? Accessible.RadioButton : Accessible.CheckBox
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onToggleAction: check.toggled()
    Accessible.onPressAction: check.toggled()
    Keys.onSpacePressed: check.toggled()
    Keys.onReturnPressed: check.toggled()
    Keys.onEnterPressed: check.toggled()

    implicitWidth: box.width + 8 + label.implicitWidth
    implicitHeight: Math.max(box.height, label.height)

    Rectangle {
        id: box
        width: 16
        height: 16
        y: check.exclusive && label.lineCount > 1 ? 2 : (check.height - height) / 2
        radius: check.exclusive ? 8 : 2
        color: "#1f2024"
        border.color: check.checked || area.containsMouse ? mainIten.colorPrimary : mainIten.colorGray6
        Rectangle {
            anchors.centerIn: parent
            width: 8
            height: 8
            radius: check.exclusive ? 4 : 1
            color: mainIten.colorPrimary
            visible: check.checked
        }
    }
    Text {
        id: label
        x: box.width + 8
        width: check.labelWidth > 0 ? check.labelWidth : implicitWidth
        text: check.text
        wrapMode: Text.WordWrap
        color: check.checked ? mainIten.fontColor : mainIten.colorGray3
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize + 2
    }
    FocusRing {}
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: check.toggled()
    }
}

import QtQuick
import "../common"

// A field that shows captured keys. Clicking it starts the capture; the tick
// beside it ends the capture. By keys, Space or Return on the field starts
// it (the owner passes over that key's own press and release) and the owner
// ends it once every captured key is up again; while it captures the field
// keeps every key, Tab included.
Item {
    id: field
    property string text: ""
    property bool capturing: false
    // Drawn in the accent colour when the dialog was confirmed without a key.
    property bool highlighted: false
    // For assistive technology: what the field holds ("Keys"), how it is
    // used by keys, and the name of the tick.
    property string label: ""
    property string keyHint: ""
    property string tickName: ""
    // byKey: the USB code of the key that started it, 0 for the pointer.
    signal startRequested(int byKey)
    signal tickClicked()

    // The focused field stays a stop while it records (Tab is then recorded).
    activeFocusOnTab: field.activeFocus || mainIten.keyReachable(field)
    Accessible.role: Accessible.Button
    Accessible.name: text !== "" ? label + ": " + text : label
    Accessible.description: keyHint
    Accessible.focusable: true
    Accessible.checkable: true
    Accessible.checked: capturing
    Accessible.onPressAction: if (!capturing) field.startRequested(0)
    Keys.onPressed: function(event) {
        var starts = {}
        starts[Qt.Key_Space] = 0x2C; starts[Qt.Key_Return] = 0x28; starts[Qt.Key_Enter] = 0x58
        if (!field.capturing && starts[event.key] !== undefined && !event.isAutoRepeat)
            field.startRequested(starts[event.key])
        else if (!field.capturing)
            return
        event.accepted = true
    }
    Keys.onReleased: function(event) { event.accepted = field.capturing }

    implicitWidth: 240
    implicitHeight: 32

    Rectangle {
        width: parent.width - 40
        height: parent.height
        radius: 3
        color: field.capturing ? "#2e2a24" : "#1f2024"
        border.color: field.highlighted ? mainIten.colorAccent
                      : field.capturing || area.containsMouse ? mainIten.colorPrimary : mainIten.colorGray1
        border.width: field.highlighted ? 2 : 1
        Text {
            anchors.fill: parent
            anchors.leftMargin: 10
            anchors.rightMargin: 10
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
            text: field.text
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        Rectangle {
            // Blinking caret while keys are taken.
            visible: field.capturing
            x: parent.width - 14
            anchors.verticalCenter: parent.verticalCenter
            width: 2
            height: 16
            color: mainIten.colorPrimary
            SequentialAnimation on opacity {
                running: field.capturing
                loops: Animation.Infinite
                NumberAnimation { to: 0; duration: 450 }
                NumberAnimation { to: 1; duration: 450 }
            }
        }
        FocusRing { visible: field.activeFocus }
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.IBeamCursor
            onClicked: field.startRequested(0)
        }
    }
    Rectangle {
        objectName: "tick"
        Accessible.role: Accessible.Button
        Accessible.name: field.tickName
        Accessible.onPressAction: field.tickClicked()
        width: 32
        height: parent.height
        anchors.right: parent.right
        radius: 3
        color: tickArea.pressed ? "#2e2a24" : "#1f2024"
        border.color: field.capturing || tickArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray1
        Text {
            anchors.centerIn: parent
            text: "\u2713"
            color: field.capturing || tickArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray2
            font.pixelSize: 18
            font.bold: true
        }
        MouseArea {
            id: tickArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: field.tickClicked()
        }
    }
}

import QtQuick

// A field that shows captured keys. Clicking it starts the capture; the tick
// beside it ends the capture.
Item {
    id: field
    property string text: ""
    property bool capturing: false
    // Drawn in the accent colour when the dialog was confirmed without a key.
    property bool highlighted: false
    signal startRequested()
    signal tickClicked()

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
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.IBeamCursor
            onClicked: field.startRequested()
        }
    }
    Rectangle {
        objectName: "tick"
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

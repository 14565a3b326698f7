import QtQuick

// Shown while the scene is locked: a text whose opacity pulses from 1.0 to
// 0.2 and back, 400 ms each way. The text is empty, so the lock shows only
// as blocked input.
Item {
    id: busy
    property bool running: false
    property alias text: label.text

    visible: running
    width: label.implicitWidth
    height: label.implicitHeight

    Text {
        id: label
        anchors.centerIn: parent
        text: ""
        color: mainIten.colorPrimary
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMaxSize

        SequentialAnimation on opacity {
            running: busy.running
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}

import QtQuick

// Shown while the scene is locked: a text whose opacity pulses from 1.0 to
// 0.2 and back, 400 ms each way. The text is empty, so the lock shows only
// as blocked input. When the lock names what it waits for (progressText) and
// lasts longer than half a second, that name appears small below, with a
// sliding bar: the window keeps painting while the mouse is written to.
Item {
    id: busy
    property bool running: false
    property alias text: label.text
    property string progressText: ""
    // The lock has lasted long enough to say what it waits for.
    property bool slow: false

    visible: running
    width: Math.max(label.implicitWidth, progress.width)
    height: label.implicitHeight

    onRunningChanged: if (!running) slow = false

    Timer {
        objectName: "progressDelay"
        interval: 500
        running: busy.running && busy.progressText !== "" && !busy.slow
        onTriggered: busy.slow = true
    }

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

    // A small dark plate keeps the note readable over any page.
    Rectangle {
        visible: progress.visible
        anchors.centerIn: progress
        width: progress.width + 28
        height: progress.height + 20
        radius: 4
        color: "#e61a1a1a"
        border.color: mainIten.colorGray1
    }

    Column {
        id: progress
        objectName: "transferProgress"
        visible: busy.slow
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: label.bottom
        anchors.topMargin: 6
        width: 180
        spacing: 8
        Text {
            objectName: "transferProgressText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: busy.progressText
            color: mainIten.colorGray3
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontMinSize
        }
        Rectangle {
            width: parent.width
            height: 3
            radius: 1.5
            color: mainIten.colorGray1
            clip: true
            Rectangle {
                id: slider
                width: parent.width / 4
                height: parent.height
                radius: 1.5
                color: mainIten.colorPrimary
                NumberAnimation on x {
                    running: progress.visible
                    loops: Animation.Infinite
                    from: -slider.width
                    to: 180
                    duration: 1200
                }
            }
        }
    }
}

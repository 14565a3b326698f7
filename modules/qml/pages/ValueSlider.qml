import QtQuick
import "../common"

// A horizontal slider whose value is the handle's position in pixels along
// its track (0 to trackWidth), the unit the settings store.
Item {
    id: slider
    property int trackWidth: 435
    // Drawn width; positions stay in track pixels whatever it is.
    property real visualWidth: trackWidth
    readonly property real ratio: trackWidth > 0 ? visualWidth / trackWidth : 1
    property real position: 0
    property color fillColor: mainIten.colorPrimary
    // Tick marks drawn under the track, as positions.
    property var ticks: []
    // The user moved the handle (dragging or clicking on the track).
    signal moved(real position)
    signal released()
    // What assistive technology reads: the position in track pixels unless
    // the owner shows another unit (the DPI page shows DPI).
    property real value: position
    property real minimumValue: 0
    property real maximumValue: trackWidth
    property string accessibleName: ""
    // Set by an owner whose keys step in its own unit: arrows then emit
    // stepRequested(+1 or -1, or +-10 for Page Up/Down) instead of moving
    // the handle by one track pixel.
    property bool ownerSteps: false
    signal stepRequested(int steps)

    // One arrow moves one track pixel, or to the next tick mark where the
    // track has them (the values change only there).
    function keyStep(steps) {
        if (ownerSteps) {
            stepRequested(steps)
            return
        }
        var p = Math.round(position)
        for (var n = 0; n < Math.abs(steps); ++n) {
            var next = steps > 0 ? trackWidth : 0
            if (ticks.length === 0) {
                next = p + (steps > 0 ? 1 : -1)
            } else {
                for (var i = 0; i < ticks.length; ++i) {
                    var t = Number(ticks[i])
                    if (steps > 0 && t > p && t < next)
                        next = t
                    if (steps < 0 && t < p && t > next)
                        next = t
                }
            }
            next = Math.max(0, Math.min(trackWidth, next))
            if (next === p)
                break
            p = next
        }
        moved(p)
    }

    activeFocusOnTab: mainIten.keyReachable(slider)
    Accessible.role: Accessible.Slider
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.onIncreaseAction: keyStep(1)
    Accessible.onDecreaseAction: keyStep(-1)
    Keys.onPressed: function(event) {
        var steps = {}
        steps[Qt.Key_Up] = 1; steps[Qt.Key_Right] = 1; steps[Qt.Key_Down] = -1; steps[Qt.Key_Left] = -1
        steps[Qt.Key_PageUp] = 10; steps[Qt.Key_PageDown] = -10
        steps[Qt.Key_Home] = -trackWidth; steps[Qt.Key_End] = trackWidth
        if (steps[event.key] === undefined)
            return
        keyStep(steps[event.key])
        released()
        event.accepted = true
    }

    implicitWidth: visualWidth
    implicitHeight: 20

    function placeAt(x) {
        var p = Math.max(0, Math.min(trackWidth, Math.round(x / ratio)))
        // The owner stores the value; position follows through its binding.
        moved(p)
    }

    Rectangle {
        id: track
        width: slider.visualWidth
        height: 4
        radius: 2
        anchors.verticalCenter: parent.verticalCenter
        color: mainIten.colorGray1
        Rectangle {
            width: Math.max(0, Math.min(slider.trackWidth, slider.position)) * slider.ratio
            height: parent.height
            radius: 2
            color: slider.enabled ? slider.fillColor : mainIten.colorGray6
        }
    }
    Repeater {
        model: slider.ticks
        delegate: Rectangle {
            required property var modelData
            x: Number(modelData) * slider.ratio - 1
            y: parent.height / 2 + 6
            width: 2
            height: 5
            color: mainIten.colorGray6
        }
    }
    Rectangle {
        id: handle
        width: 12
        height: 18
        radius: 3
        x: Math.max(0, Math.min(slider.trackWidth, slider.position)) * slider.ratio - width / 2
        anchors.verticalCenter: parent.verticalCenter
        color: area.pressed ? mainIten.colorPrimary : "#e8e8e8"
        border.color: area.containsMouse ? mainIten.colorPrimary : "#1a1a1a"
    }
    FocusRing {}
    MouseArea {
        id: area
        anchors.fill: parent
        anchors.leftMargin: -6
        anchors.rightMargin: -6
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        preventStealing: true
        onPressed: function(mouse) { slider.placeAt(mouse.x - 6) }
        onPositionChanged: function(mouse) {
            if (pressed)
                slider.placeAt(mouse.x - 6)
        }
        onReleased: slider.released()
    }
}

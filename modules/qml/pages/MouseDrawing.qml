import QtQuick
import "ButtonFunctions.js" as Functions

// The mouse seen from above, drawn in place, with one numbered marker per
// button. The marker of highlightIndex is lit.
Item {
    id: drawing
    property int keyCount: 14
    property int highlightIndex: -1
    signal markerEntered(int index)
    signal markerExited(int index)

    implicitWidth: 220
    implicitHeight: 360

    Canvas {
        id: body
        anchors.fill: parent
        onPaint: {
            var ctx = getContext("2d")
            var w = width, h = height
            ctx.reset()
            // Shell.
            ctx.beginPath()
            ctx.moveTo(w * 0.5, h * 0.02)
            ctx.bezierCurveTo(w * 0.92, h * 0.02, w * 0.86, h * 0.30, w * 0.84, h * 0.52)
            ctx.bezierCurveTo(w * 0.82, h * 0.80, w * 0.74, h * 0.98, w * 0.5, h * 0.98)
            ctx.bezierCurveTo(w * 0.26, h * 0.98, w * 0.18, h * 0.80, w * 0.16, h * 0.52)
            ctx.bezierCurveTo(w * 0.14, h * 0.30, w * 0.08, h * 0.02, w * 0.5, h * 0.02)
            ctx.closePath()
            var grad = ctx.createLinearGradient(0, 0, w, h)
            grad.addColorStop(0, "#34363c")
            grad.addColorStop(1, "#16171a")
            ctx.fillStyle = grad
            ctx.fill()
            ctx.lineWidth = 2
            ctx.strokeStyle = "#55575e"
            ctx.stroke()
            // Split between the two main buttons, and the buttons' lower edge.
            ctx.beginPath()
            ctx.moveTo(w * 0.5, h * 0.03)
            ctx.lineTo(w * 0.5, h * 0.10)
            ctx.moveTo(w * 0.5, h * 0.24)
            ctx.lineTo(w * 0.5, h * 0.44)
            ctx.moveTo(w * 0.17, h * 0.44)
            ctx.quadraticCurveTo(w * 0.5, h * 0.50, w * 0.83, h * 0.44)
            ctx.strokeStyle = "#0d0e10"
            ctx.lineWidth = 3
            ctx.stroke()
            // Wheel.
            ctx.beginPath()
            ctx.moveTo(w * 0.47, h * 0.11)
            ctx.lineTo(w * 0.53, h * 0.11)
            ctx.lineTo(w * 0.53, h * 0.22)
            ctx.lineTo(w * 0.47, h * 0.22)
            ctx.closePath()
            ctx.fillStyle = "#0d0e10"
            ctx.fill()
            ctx.strokeStyle = "#ff9933"
            ctx.lineWidth = 1.5
            ctx.stroke()
            // Accent stripe along the back.
            ctx.beginPath()
            ctx.moveTo(w * 0.38, h * 0.86)
            ctx.quadraticCurveTo(w * 0.5, h * 0.92, w * 0.62, h * 0.86)
            ctx.strokeStyle = "#ff9933"
            ctx.lineWidth = 2
            ctx.stroke()
        }
    }

    Repeater {
        model: Math.min(drawing.keyCount, Functions.markers.length)
        delegate: Rectangle {
            required property int index
            readonly property bool lit: index === drawing.highlightIndex
            objectName: "marker" + index
            width: lit ? 26 : 20
            height: width
            radius: width / 2
            x: Functions.markers[index][0] * drawing.width - width / 2
            y: Functions.markers[index][1] * drawing.height - height / 2
            color: lit ? mainIten.colorPrimary : "#1a1a1a"
            border.color: lit ? "#ffffff" : mainIten.colorPrimary
            border.width: 1.5
            Behavior on width { NumberAnimation { duration: 90 } }
            Text {
                anchors.centerIn: parent
                text: String(index + 1)
                color: parent.lit ? "#1a1a1a" : mainIten.fontColor
                font.family: mainIten.fontFamily
                font.pixelSize: 11
                font.bold: true
            }
            MouseArea {
                anchors.fill: parent
                hoverEnabled: true
                onEntered: drawing.markerEntered(index)
                onExited: drawing.markerExited(index)
            }
        }
    }
}

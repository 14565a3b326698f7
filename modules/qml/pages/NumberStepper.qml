import QtQuick
import "../common"

// A whole number with minus and plus buttons and a typed value, kept
// between `from` and `to`. It only shows `value`: `edited` asks the owner to
// store the user's change, and the binding of `value` then shows it.
Item {
    id: stepper
    property int value: 0
    property int from: 0
    property int to: 255
    // Read by assistive technology with `value`.
    readonly property int minimumValue: from
    readonly property int maximumValue: to
    readonly property int stepSize: 1
    property string accessibleName: ""
    signal edited(int value)

    activeFocusOnTab: mainIten.keyReachable(stepper)
    Accessible.role: Accessible.SpinBox
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.onIncreaseAction: setValue(value + 1)
    Accessible.onDecreaseAction: setValue(value - 1)
    Keys.onPressed: function(event) {
        var steps = {}
        steps[Qt.Key_Up] = 1; steps[Qt.Key_Right] = 1; steps[Qt.Key_Down] = -1; steps[Qt.Key_Left] = -1
        steps[Qt.Key_PageUp] = 10; steps[Qt.Key_PageDown] = -10
        if (steps[event.key] !== undefined)
            setValue(value + steps[event.key])
        else if (event.key === Qt.Key_Home)
            setValue(from)
        else if (event.key === Qt.Key_End)
            setValue(to)
        else
            return
        event.accepted = true
    }

    implicitWidth: 132
    implicitHeight: 28

    function setValue(v) {
        var n = Math.max(from, Math.min(to, Math.round(Number(v))))
        if (isNaN(n))
            n = value
        if (n !== value)
            edited(n)
        field.text = String(value)
    }

    component StepButton: Rectangle {
        property string sign: ""
        signal pressed()
        width: 28
        height: stepper.height
        radius: 3
        color: stepArea.pressed ? "#2e2a24" : "#1f2024"
        border.color: stepArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray1
        Text {
            anchors.centerIn: parent
            text: parent.sign
            color: stepArea.containsMouse ? mainIten.colorPrimary : mainIten.fontColor
            font.pixelSize: 18
        }
        MouseArea {
            id: stepArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: parent.pressed()
        }
    }

    FocusRing {}
    StepButton {
        objectName: "minus"
        sign: "−"
        onPressed: stepper.setValue(stepper.value - 1)
    }
    Rectangle {
        x: 32
        width: stepper.width - 64
        height: stepper.height
        radius: 3
        color: "#1f2024"
        border.color: field.activeFocus ? mainIten.colorPrimary : mainIten.colorGray1
        TextInput {
            id: field
            objectName: "field"
            anchors.fill: parent
            horizontalAlignment: TextInput.AlignHCenter
            verticalAlignment: TextInput.AlignVCenter
            text: String(stepper.value)
            maximumLength: 4
            validator: IntValidator { bottom: stepper.from; top: stepper.to }
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
            onEditingFinished: stepper.setValue(parseInt(text, 10))
        }
    }
    StepButton {
        objectName: "plus"
        x: stepper.width - width
        sign: "+"
        onPressed: stepper.setValue(stepper.value + 1)
    }
    onValueChanged: field.text = String(value)
}

import QtQuick

// A whole number with minus and plus buttons and a typed value, kept
// between `from` and `to`. It only shows `value`: `edited` asks the owner to
// store the user's change, and the binding of `value` then shows it.
Item {
    id: stepper
    property int value: 0
    property int from: 0
    property int to: 255
    signal edited(int value)

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

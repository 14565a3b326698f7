import QtQuick
import "../common"
import "../common/Values.js" as Values
import "ButtonFunctions.js" as Functions

// Key assignment dialog of the button page: a fire key (captured key, rate
// and count) or a key combination (modifiers and at most two other keys).
// Its text group "keyAssigment" also names every item of the button
// function menu.
DialogFrame {
    id: dialog
    // Texts of the group "keyAssigment"; indexes are those of ButtonFunctions.js.
    property var keyAssigmentLang: [
        "Left Key", "Right Key", "Middle Key", "Forward Key", "Back Key",
        "DPI Function", "Fire Function", "Group Function", "Media Function", "Macro Function",
        "Windows Function", "Shortcut Function", "Gun Function",
        "DPI+", "DPI-", "DPI LOOP", "Sniper Key",
        "Player", "Next", "Privous", "Stop", "Mute", "Play/Pause", "Volumn+", "Volumn-",
        "My PC", "Index", "Search", "Max", "Min", "Desktop", "Run",
        "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo", "Select All",
        "One Gun", "Two Gun", "Three Gun",
        "Double Fire",
        "Macro runs one-time after pressing the button",
        "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released",
        "Key", "Rate", "Count", "Keys", "OK", "Cancel",
        "Click the field, press the keys, then click \u2713.",
        "Macro library", "Run mode", "0 means endless",
        "The library has no macros yet. Make them in the macro editor of the tab %1."
    ]
    // Texts of the group "keyHints": using the key fields and lists by
    // keyboard (the key dialogs and the gun editor's preset list).
    property var keyHintsLang: [
        "Stop recording",
        "Space or Return on the field starts recording; it ends when every key is released again.",
        "F2 or Return renames the selected preset."
    ]
    // "fire" or "group".
    property string mode: "fire"
    // Button (0-based) the dialog assigns to.
    property int buttonIndex: -1
    // Fire: captured key, chosen rate and typed count.
    property int fireKey: 0
    property int fireRateIndex: 1
    property string fireCount: "0"
    // Group: captured modifier bits and other keys.
    property int groupModifiers: 0
    property var groupKeys: []
    property bool emptyWarning: false
    readonly property var rateTexts: Functions.fireRates.map(function(r) { return r + Functions.fireRateUnit })

    title: Values.at(keyAssigmentLang, mode === "fire" ? 6 : 7)
    width: 520
    // The fire dialog holds the open rate list (five rows) inside it.
    height: mode === "fire" ? 300 : 230
    onCloseRequested: cancel()

    function init(isSendData, isRecovery) {
        pageInitialised(isSendData === true, isRecovery === true)
    }

    // Open for a button, showing its current entry when it has this kind.
    function open(kind, button, code) {
        mode = kind
        buttonIndex = button
        isCapturing = false
        emptyWarning = false
        var c = Functions.normalise(code)
        fireKey = 0
        fireRateIndex = 1
        fireCount = "0"
        groupModifiers = 0
        groupKeys = []
        if (kind === "fire" && c[0] === 1) {
            fireKey = c[1]
            var r = Functions.fireRates.indexOf(c[2])
            fireRateIndex = r >= 0 ? r : 1
            fireCount = String(c[3])
        } else if (kind === "group" && c[0] === 2) {
            groupModifiers = c[1]
            groupKeys = [c[2], c[3]].filter(function(k) { return k !== 0 })
        }
        mainIten.showDialog(dialog)
    }

    // A capture started by a key (its USB code in byKey) passes over that
    // key's own press and release, and ends by itself once every key pressed
    // during it is up again; one started by the pointer ends at the tick.
    property int startKey: 0
    property bool stopsOnRelease: false
    property var heldKeys: []
    function startCapture(byKey) {
        startKey = byKey > 0 ? byKey : 0
        stopsOnRelease = startKey !== 0
        heldKeys = []
        emptyWarning = false
        if (mode === "fire")
            fireKey = 0
        else {
            groupModifiers = 0
            groupKeys = []
        }
        isCapturing = true
    }

    function stopCapture() { isCapturing = false }

    // Keys from the global capture: the fire key takes the last one pressed;
    // a group collects modifiers and up to two other keys.
    function captureKey(isDown, usbCode) {
        keyCaptured(isDown, usbCode)
        if (!isCapturing)
            return
        var code = Number(usbCode)
        if (startKey !== 0 && code === startKey) {
            if (!isDown)
                startKey = 0
            return
        }
        var held = heldKeys.slice()
        var at = held.indexOf(code)
        if (!isDown) {
            // A release of a key pressed before the capture began is not counted.
            if (at >= 0) {
                held.splice(at, 1)
                heldKeys = held
                if (held.length === 0 && stopsOnRelease && startKey === 0)
                    stopCapture()
            }
            return
        }
        if (at < 0)
            heldKeys = held.concat([code])
        if (mode === "fire") {
            if (Number(usbCode) > 0)
                fireKey = Number(usbCode) & 0xFF
        } else {
            var next = Functions.addGroupKey({ modifiers: groupModifiers, keys: groupKeys }, usbCode)
            groupModifiers = next.modifiers
            groupKeys = next.keys
        }
    }

    function fieldText() {
        if (mode === "fire")
            return fireKey !== 0 ? keyCodeString.nameOf(fireKey) : ""
        return dialog.groupText(groupModifiers, groupKeys)
    }

    function groupText(modifiers, keys) {
        var parts = []
        for (var bit = 0; bit < 8; ++bit) {
            if (modifiers & (1 << bit))
                parts.push(keyCodeString.nameOf(Functions.modifierFirst + bit))
        }
        for (var i = 0; i < keys.length; ++i)
            parts.push(keyCodeString.nameOf(keys[i]))
        return parts.join("+")
    }

    // The code the dialog would assign.
    function currentCode() {
        if (mode === "fire") {
            var count = Math.max(0, Math.min(255, Values.toInt(fireCount, 0)))
            return [0x01, fireKey, Functions.fireRates[fireRateIndex], count]
        }
        return Functions.groupCode(groupModifiers, groupKeys)
    }

    // "OK": refused while the capture is still open or with no key captured.
    function accept() {
        if (isCapturing) {
            warningDialog.show(Values.at(warningDialog.warningAssigmentLang, 3))
            return false
        }
        var empty = mode === "fire" ? fireKey === 0 : (groupModifiers === 0 && groupKeys.length === 0)
        if (empty) {
            emptyWarning = true
            return false
        }
        var button = buttonIndex
        mainIten.hideDialog(dialog)
        keyMatrixPage.assignEntry(button, currentCode())
        return true
    }

    function cancel() {
        isCapturing = false
        mainIten.hideDialog(dialog)
    }

    // What the dialog shows is made when it is first opened; its state
    // lives in the properties above.
    deferredContent: Component {
        Item {
            Column {
                width: parent.width
                spacing: 14
                // The open rate list lies over the buttons below.
                z: 2

                Text {
                    width: parent.width
                    // A keyboard user on the field reads how to record by keys.
                    text: captureField.activeFocus && Values.at(dialog.keyHintsLang, 1) !== ""
                          ? Values.at(dialog.keyHintsLang, 1) : Values.at(dialog.keyAssigmentLang, 55)
                    wrapMode: Text.WordWrap
                    color: mainIten.colorGray2
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMinSize + 1
                }
                Row {
                    spacing: 12
                    Text {
                        width: 80
                        anchors.verticalCenter: parent.verticalCenter
                        text: Values.at(dialog.keyAssigmentLang, dialog.mode === "fire" ? 49 : 52)
                        color: mainIten.colorGray3
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    KeyCaptureField {
                        id: captureField
                        objectName: "captureField"
                        label: Values.at(dialog.keyAssigmentLang, dialog.mode === "fire" ? 49 : 52)
                        keyHint: Values.at(dialog.keyHintsLang, 1)
                        tickName: Values.at(dialog.keyHintsLang, 0)
                        width: 360
                        text: dialog.fieldText()
                        capturing: dialog.isCapturing
                        highlighted: dialog.emptyWarning
                        onStartRequested: function(byKey) { dialog.startCapture(byKey) }
                        onTickClicked: dialog.stopCapture()
                    }
                }
                Row {
                    visible: dialog.mode === "fire"
                    spacing: 12
                    z: 2
                    Text {
                        width: 80
                        anchors.verticalCenter: parent.verticalCenter
                        text: Values.at(dialog.keyAssigmentLang, 50)
                        color: mainIten.colorGray3
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    DropDown {
                        objectName: "rateDropDown"
                        accessibleName: Values.at(dialog.keyAssigmentLang, 50)
                        width: 120
                        model: dialog.rateTexts
                        currentIndex: dialog.fireRateIndex
                        rowHeight: 22
                        columns: 3
                        onActivated: function(index) { dialog.fireRateIndex = index }
                    }
                    Text {
                        width: 60
                        anchors.verticalCenter: parent.verticalCenter
                        horizontalAlignment: Text.AlignRight
                        text: Values.at(dialog.keyAssigmentLang, 51)
                        color: mainIten.colorGray3
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    Rectangle {
                        width: 70
                        height: 28
                        radius: 3
                        color: "#1f2024"
                        border.color: countInput.activeFocus ? mainIten.colorPrimary : mainIten.colorGray1
                        TextInput {
                            id: countInput
                            objectName: "countInput"
                            activeFocusOnTab: mainIten.keyReachable(countInput)
                            Accessible.role: Accessible.EditableText
                            Accessible.name: Values.at(dialog.keyAssigmentLang, 51)
                            Accessible.description: Values.at(dialog.keyAssigmentLang, 58)
                            FocusRing { visible: countInput.activeFocus; anchors.leftMargin: -11 }
                            anchors.fill: parent
                            anchors.leftMargin: 8
                            verticalAlignment: TextInput.AlignVCenter
                            text: dialog.fireCount
                            validator: IntValidator { bottom: 0; top: 255 }
                            maximumLength: 3
                            color: mainIten.fontColor
                            selectionColor: mainIten.colorPrimary
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontNormalSize
                            onTextEdited: dialog.fireCount = text
                        }
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: Values.at(dialog.keyAssigmentLang, 58)
                        color: mainIten.colorGray6
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontMinSize
                    }
                }
            }
            Row {
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                spacing: 16
                TextButton {
                    objectName: "keyDialogOk"
                    text: Values.at(dialog.keyAssigmentLang, 53)
                    onClicked: dialog.accept()
                }
                TextButton {
                    objectName: "keyDialogCancel"
                    text: Values.at(dialog.keyAssigmentLang, 54)
                    onClicked: dialog.cancel()
                }
            }
        }
    }
}

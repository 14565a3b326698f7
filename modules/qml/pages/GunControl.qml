import QtQuick
import "../common"
import "../common/Values.js" as Values
import "../common/LanguageTable.js" as LanguageTable

// Gun editor dialog: the gun presets, the three gun selectors bound to the
// gun button functions, and the data of the selected preset. Each preset is
// [name, key, rate, x, y, times]; a count of 0 fires until the button is
// released.
DialogFrame {
    id: dialog
    property var gunControlLang: [
        "Gun Settings", "Gun1", "Gun2", "Gun3", "Fire key", "Rate", "Count",
        "Horizontal", "Vertical", "0 = endless", "Reset", "Close", "Presets",
        "Custom"
    ]
    title: Values.at(gunControlLang, 0)
    width: 780
    height: 480

    // Six shipped presets and three of the user's own.
    readonly property int presetCount: 9
    readonly property var shippedNames: ["M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"]
    // [[name, key, rate, x, y, times], ...] by preset index.
    property var guns: []
    // Preset index bound to each of the gun selectors 1 to 3.
    property var selectGun: [0, 1, 2]
    // Preset shown in the editor.
    property int currentGun: 0
    property int editingGun: -1
    // The preset list gets the keys back when a rename it started ends.
    property bool renameByKey: false

    function tr(i) { return Values.at(gunControlLang, i) }
    // English texts, for the names of new presets, which must never be empty.
    property var builtinLang: []
    Component.onCompleted: {
        builtinLang = gunControlLang.slice()
        shownCustomWord = customWord()
    }

    // What a preset that was never stored holds.
    function newGun(name) {
        return [String(name), "L-Click", 10, 0, -10, 0]
    }

    function customWord() {
        return tr(13) !== "" ? tr(13) : Values.at(builtinLang, 13)
    }

    function defaultName(i) {
        return i < shippedNames.length ? shippedNames[i] : customWord() + " " + (i - shippedNames.length + 1)
    }

    // The user presets that still carry their default name ("Custom 1" to
    // "Custom 3") show it in the language chosen: on a switch, a name made
    // of the previous language's word (or the English one) takes the new word.
    property string shownCustomWord: ""
    onGunControlLangChanged: {
        var word = customWord()
        var old = shownCustomWord
        shownCustomWord = word
        if (old === "" || old === word || guns.length === 0)
            return
        var list = guns.slice()
        var changed = false
        for (var i = shippedNames.length; i < list.length; ++i) {
            var n = " " + (i - shippedNames.length + 1)
            var name = String(list[i][0])
            if (name === old + n || name === Values.at(builtinLang, 13) + n) {
                var g = list[i].slice()
                g[0] = word + n
                list[i] = g
                changed = true
            }
        }
        if (changed)
            guns = list
    }

    // The word of the default names in every language, read once, when a
    // stored preset may carry the default name of another language.
    property var customWords: []
    function isCustomWord(word) {
        if (word === customWord() || word === Values.at(builtinLang, 13))
            return true
        if (customWords.length === 0) {
            customWords = LanguageTable.names.map(function(lang) {
                return Values.at(Values.toList(ui_View.getLangStrings("gunControl", lang)), 13)
            }).filter(function(w) { return w !== "" })
        }
        return customWords.indexOf(word) >= 0
    }

    // A user preset stored under its default name, in whatever language it
    // was saved, is shown with the default name of the language chosen.
    function shownName(i, name) {
        var n = " " + (i - shippedNames.length + 1)
        var text = String(name)
        if (i >= shippedNames.length && text.length > n.length && text.slice(-n.length) === n
                && text.slice(0, -n.length) !== customWord() && isCustomWord(text.slice(0, -n.length)))
            return defaultName(i)
        return text
    }

    function init(isSendData, isRecovery) {
        var list = []
        for (var i = 0; i < presetCount; ++i) {
            var stored = Values.toList(ui_View.getGunData(i))
            if (stored.length >= 6)
                list.push([shownName(i, stored[0]), stored[1], Values.toInt(stored[2], 10), Values.toInt(stored[3], 0),
                           Values.toInt(stored[4], 0), Values.toInt(stored[5], 0)])
            else
                list.push(newGun(defaultName(i)))
        }
        guns = list
        var chosen = Values.toList(ui_View.getGlobalData("mouse/selectGun"))
        var sel = []
        for (var k = 0; k < 3; ++k) {
            var v = Values.toInt(chosen[k], k)
            sel.push(v >= 0 && v < presetCount ? v : k)
        }
        selectGun = sel
        currentGun = sel[0]
        pageInitialised(isSendData === true, isRecovery === true)
    }

    // The rate of the preset bound to each gun selector, for the key matrix.
    function gunRates() {
        return selectGun.map(function(i) { return guns[i] ? guns[i][2] : 10 })
    }

    function saveGun(index) {
        ui_View.mouseSaveGundata(index, guns[index].slice())
    }

    function sendGun(selector) {
        var g = guns[selectGun[selector - 1]]
        ui_View.mouseSendGundata(selector, [g[5], g[3], g[4]])
    }

    // field: 1 key, 2 rate, 3 x, 4 y, 5 times.
    function setField(index, field, value) {
        var list = guns.slice()
        var g = list[index].slice()
        if (g[field] === value)
            return
        g[field] = value
        list[index] = g
        guns = list
        saveGun(index)
    }

    function renameGun(index, newName) {
        var name = String(newName).trim()
        var old = guns[index][0]
        // A preset is stored as a comma-separated list: its name holds no separator.
        if (name === "" || name === old || /[,;="\\]/.test(name))
            return false
        for (var i = 0; i < guns.length; ++i) {
            if (i !== index && guns[i][0] === name)
                return false
        }
        var list = guns.slice()
        var g = list[index].slice()
        g[0] = name
        list[index] = g
        guns = list
        ui_View.modifyGundata(1, [name, g[1], g[2], g[3], g[4], g[5], old])
        saveGun(index)
        ui_View.updataNameList(1, guns.map(function(x) { return x[0] }))
        return true
    }

    function setSelector(selector, preset) {
        var sel = selectGun.slice()
        sel[selector - 1] = preset
        selectGun = sel
        ui_View.setGlobalData("mouse/selectGun", sel)
        currentGun = preset
    }

    // Closing sends the three bound presets; their rates go with the key matrix.
    // The dialog goes at once and the transfer runs in view under the busy
    // note, as "Save" does: the window repaints during the pacing waits.
    function close() {
        mainIten.hideDialog(dialog)
        mainIten.sendSettings(function() {
            for (var k = 1; k <= 3; ++k)
                sendGun(k)
            // The key matrix carries the rates; it is saved as "Save" would.
            keyMatrixPage.isSave = false
            keyMatrixPage.saveData()
        })
    }

    // The first three presets on the selectors with their factory values.
    function resetData() {
        if (guns.length < 3)
            init(false, false)
        var list = guns.slice()
        var ys = [5, 7, 8]
        for (var i = 0; i < 3; ++i) {
            var g = list[i].slice()
            g[4] = ys[i]
            g[2] = 9
            list[i] = g
        }
        guns = list
        selectGun = [0, 1, 2]
        ui_View.setGlobalData("mouse/selectGun", [0, 1, 2])
        for (var k = 0; k < 3; ++k)
            saveGun(k)
        for (var s = 1; s <= 3; ++s)
            sendGun(s)
    }

    onCloseRequested: close()

    component Label: Text {
        color: mainIten.colorGray2
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize + 2
    }

    // What the dialog shows is made when it is first opened: the presets,
    // the selectors and the functions above are all a closed editor needs
    // (the key matrix takes the bound rates from them).
    deferredContent: Component {
        Item {
            // The gun selectors.
            Row {
                id: selectors
                spacing: 18
                Repeater {
                    model: 3
                    delegate: Column {
                        required property int index
                        spacing: 4
                        Label { text: dialog.tr(1 + index) }
                        DropDown {
                            objectName: "gunSelector" + (index + 1)
                            width: 224
                            model: dialog.guns.map(function(g) { return g[0] })
                            currentIndex: dialog.selectGun[index]
                            accessibleName: dialog.tr(1 + index)
                            onActivated: function(i) { dialog.setSelector(index + 1, i) }
                        }
                    }
                }
                z: 10
            }

            // The presets. By keys the list is one stop: Up/Down, Page Up/Down,
            // Home/End show another preset, F2 or Return renames it.
            Rectangle {
                id: presetBox
                objectName: "gunPresets"
                activeFocusOnTab: mainIten.keyReachable(presetBox)
                Accessible.role: Accessible.List
                Accessible.name: dialog.tr(12)
                Accessible.description: Values.at(keyAssigmentDialog.keyHintsLang, 2)
                Accessible.focusable: true
                function show(i) {
                    dialog.currentGun = Math.max(0, Math.min(dialog.guns.length - 1, i))
                }
                function startRename() {
                    dialog.renameByKey = true
                    dialog.editingGun = dialog.currentGun
                }
                Keys.onPressed: function(event) {
                    var steps = {}
                    steps[Qt.Key_Up] = -1; steps[Qt.Key_Down] = 1
                    steps[Qt.Key_PageUp] = -5; steps[Qt.Key_PageDown] = 5
                    steps[Qt.Key_Home] = -dialog.guns.length; steps[Qt.Key_End] = dialog.guns.length
                    if (steps[event.key] !== undefined)
                        show(dialog.currentGun + steps[event.key])
                    else if (event.key === Qt.Key_F2 || event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
                        startRename()
                    else
                        return
                    event.accepted = true
                }
                FocusRing {}
                y: 70
                width: 260
                height: parent.height - y - 48
                radius: 3
                color: "#99101114"
                border.color: mainIten.colorGray1
                Label { x: 2; y: -20; text: dialog.tr(12); visible: false }
                Column {
                    anchors.fill: parent
                    anchors.margins: 4
                    Repeater {
                        model: dialog.guns
                        delegate: Rectangle {
                            id: gunRow
                            required property int index
                            objectName: "gunRow" + index
                            required property var modelData
                            Accessible.role: Accessible.ListItem
                            Accessible.name: String(modelData[0])
                            Accessible.description: selector >= 0 ? dialog.tr(1 + selector) : ""
                            Accessible.selectable: true
                            Accessible.selected: dialog.currentGun === index
                            Accessible.onPressAction: dialog.currentGun = index
                            readonly property int selector: dialog.selectGun.indexOf(index)
                            width: parent.width
                            height: 30
                            radius: 2
                            color: dialog.currentGun === index ? "#3a2c1c" : rowArea.containsMouse ? "#24262b" : "transparent"
                            Text {
                                visible: dialog.editingGun !== gunRow.index
                                x: 12
                                anchors.verticalCenter: parent.verticalCenter
                                text: String(gunRow.modelData[0])
                                color: dialog.currentGun === gunRow.index ? mainIten.colorPrimary : mainIten.fontColor
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                            }
                            Text {
                                visible: gunRow.selector >= 0
                                anchors.right: parent.right
                                anchors.rightMargin: 10
                                anchors.verticalCenter: parent.verticalCenter
                                text: dialog.tr(1 + gunRow.selector)
                                color: mainIten.colorPrimary
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontMinSize
                            }
                            MouseArea {
                                id: rowArea
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: { mainIten.mainFocus(); dialog.currentGun = gunRow.index }
                                onDoubleClicked: dialog.editingGun = gunRow.index
                            }
                            TextInput {
                                objectName: "gunNameInput"
                                visible: dialog.editingGun === gunRow.index
                                x: 8
                                width: parent.width - 16
                                height: 24
                                anchors.verticalCenter: parent.verticalCenter
                                verticalAlignment: TextInput.AlignVCenter
                                leftPadding: 4
                                maximumLength: 24
                                validator: RegularExpressionValidator { regularExpression: /[^,;="\\]*/ }
                                clip: true
                                color: mainIten.fontColor
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                                onVisibleChanged: if (visible) { text = gunRow.modelData[0]; selectAll(); forceActiveFocus() }
                                onAccepted: { endRename(); dialog.renameGun(gunRow.index, text) }
                                onActiveFocusChanged: {
                                    if (!activeFocus && dialog.editingGun === gunRow.index) {
                                        dialog.editingGun = -1
                                        dialog.renameByKey = false
                                    }
                                }
                                // Escape drops the new name and leaves the dialog open.
                                Keys.onEscapePressed: endRename()
                                function endRename() {
                                    var back = dialog.renameByKey
                                    dialog.renameByKey = false
                                    dialog.editingGun = -1
                                    if (back)
                                        presetBox.forceActiveFocus(Qt.TabFocusReason)
                                }
                                Rectangle { anchors.fill: parent; z: -1; radius: 2; color: "#1f2024"; border.color: mainIten.colorPrimary }
                            }
                        }
                    }
                }
            }

            // The selected preset.
            Grid {
                id: editor
                x: presetBox.width + 36
                y: presetBox.y + 6
                columns: 2
                columnSpacing: 24
                rowSpacing: 18
                readonly property var gun: dialog.guns[dialog.currentGun] || dialog.newGun("")

                Label { height: 28; verticalAlignment: Text.AlignVCenter; text: dialog.tr(4) }
                DropDown {
                    objectName: "gunKey"
                    accessibleName: dialog.tr(4)
                    width: 200
                    model: ["L-Click"]
                    currentIndex: 0
                }
                Label { height: 28; verticalAlignment: Text.AlignVCenter; text: dialog.tr(5) }
                NumberStepper {
                    objectName: "gunRate"
                    accessibleName: dialog.tr(5)
                    width: 200
                    from: 1; to: 255
                    value: editor.gun[2]
                    onEdited: function(v) { dialog.setField(dialog.currentGun, 2, v) }
                }
                Label { height: 28; verticalAlignment: Text.AlignVCenter; text: dialog.tr(6) }
                Row {
                    spacing: 10
                    NumberStepper {
                        objectName: "gunTimes"
                        accessibleName: dialog.tr(6)
                        width: 200
                        from: 0; to: 255
                        value: editor.gun[5]
                        onEdited: function(v) { dialog.setField(dialog.currentGun, 5, v) }
                    }
                    Label { anchors.verticalCenter: parent.verticalCenter; text: dialog.tr(9); color: mainIten.colorGray6 }
                }
                Label { height: 28; verticalAlignment: Text.AlignVCenter; text: dialog.tr(7) }
                NumberStepper {
                    objectName: "gunX"
                    accessibleName: dialog.tr(7)
                    width: 200
                    from: -127; to: 127
                    value: editor.gun[3]
                    onEdited: function(v) { dialog.setField(dialog.currentGun, 3, v) }
                }
                Label { height: 28; verticalAlignment: Text.AlignVCenter; text: dialog.tr(8) }
                NumberStepper {
                    objectName: "gunY"
                    accessibleName: dialog.tr(8)
                    width: 200
                    from: -127; to: 127
                    value: editor.gun[4]
                    onEdited: function(v) { dialog.setField(dialog.currentGun, 4, v) }
                }
            }

            // A small target showing where the correction pulls the aim.
            Item {
                anchors.right: parent.right
                anchors.bottom: buttons.top
                anchors.bottomMargin: 12
                width: 120
                height: 120
                Rectangle { anchors.centerIn: parent; width: 110; height: 110; radius: 55; color: "transparent"; border.color: mainIten.colorGray1 }
                Rectangle { anchors.centerIn: parent; width: 56; height: 56; radius: 28; color: "transparent"; border.color: mainIten.colorGray1 }
                Rectangle { anchors.centerIn: parent; width: 110; height: 1; color: mainIten.colorGray1 }
                Rectangle { anchors.centerIn: parent; width: 1; height: 110; color: mainIten.colorGray1 }
                Rectangle {
                    width: 8; height: 8; radius: 4
                    color: mainIten.colorPrimary
                    x: 56 + Math.max(-55, Math.min(55, editor.gun[3] * 2)) - 4
                    y: 56 + Math.max(-55, Math.min(55, editor.gun[4] * 2)) - 4
                }
            }

            Row {
                id: buttons
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                spacing: 16
                TextButton {
                    objectName: "gunReset"
                    text: dialog.tr(10)
                    onClicked: dialog.resetData()
                }
                TextButton {
                    objectName: "gunClose"
                    text: dialog.tr(11)
                    onClicked: dialog.close()
                }
            }
        }
    }
}

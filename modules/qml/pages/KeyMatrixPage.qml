import QtQuick
import "../common"
import "../common/Values.js" as Values
import "../common/macrocodec.js" as MacroCodec
import "ButtonFunctions.js" as Functions

// Button assignment page (tab 0, left half). Its text group "keyMatrix" also
// carries the frame's own texts (bottom bar, reset dialog, tab names).
PageBase {
    id: page
    // The open menu draws over the DPI page beside.
    z: menuIndex >= 0 ? 5 : 0
    // Texts of the group "keyMatrix", English until a language is loaded.
    property var keyMatrixLang: [
        "Config", "OK", "Save", "Reset", "Office Mode", "Game Mode",
        "Official website: ", "Reset",
        "All settings of this profile return to their factory values. Continue?",
        "Cancel", "OK", "Button", "Function", "Restore", "Gun Settings",
        "Profile", "Loading", "MOUSE MACRO", "BACKLIGHT", "SETTINGS",
        "Button Assignment"
    ]
    // Number of buttons of the mouse (mouse/keyCount).
    property int mouseKeyCount: 14
    property int mouseMode: 0
    // The two button lists, 16 entries of four bytes: office and game mode.
    property var modKeys: Functions.officeStart.map(function(e) { return e.slice() })
    property var modKeys2: Functions.gameDefaults.map(function(e) { return e.slice() })
    // The fixed default of each entry, put back by the per-button restore.
    readonly property var modKeys_tmp: Functions.officeDefaults
    readonly property var modKeys_tmp2: Functions.gameDefaults
    // Macro names of the entries of category 4, per mode and button.
    property var macroNames: [[], []]
    // Entry under the pointer (list row or marker), and the entry whose menu is open.
    property int hoverIndex: -1
    property int menuIndex: -1

    readonly property var assignTexts: keyAssigmentDialog.keyAssigmentLang

    function selectMode(mode) {
        mouseMode = Values.toInt(mode, 0) === 1 ? 1 : 0
        closeMenu()
    }

    function listOf(mode) { return mode === 1 ? modKeys2 : modKeys }

    function setList(mode, list) {
        if (mode === 1)
            modKeys2 = list
        else
            modKeys = list
    }

    function macroKeyPrefix(mode) { return mode === 1 ? "mouseMacroKey2/" : "mouseMacroKey/" }

    // The text shown for an entry, derived from its code.
    function entryText(mode, index) {
        var c = listOf(mode)[index]
        if (!c)
            return ""
        var t = assignTexts
        switch (c[0]) {
        case 0:
            var i = Functions.mouseButtonTexts[c[2]]
            return Values.at(t, i !== undefined ? i : Functions.T.doubleFire)
        case 1:
            return keyCodeString.nameOf(c[1])
        case 2:
            return keyAssigmentDialog.groupText(c[1], [c[2], c[3]].filter(function(k) { return k !== 0 }))
        case 4:
            var names = macroNames[mode]
            return names && names[index] !== undefined ? String(names[index]) : ""
        case 3: case 5: case 6: case 7: case 8:
            var n = Functions.itemTextOf(c)
            return n >= 0 ? Values.at(t, n) : ""
        default:
            return ""
        }
    }

    function flatList(mode) {
        var out = []
        var list = listOf(mode)
        for (var i = 0; i < 16; ++i)
            out = out.concat(Functions.normalise(list[i]))
        return out
    }

    // Rates of the guns bound to gun 1 to 3: the gun editor's, or the stored
    // selection and presets.
    function gunRates() {
        if (typeof gunEditor.gunRates === "function")
            return gunEditor.gunRates()
        var rates = [0, 0, 0]
        if (!mainIten.isGun)
            return rates
        var select = Values.toList(ui_View.getGlobalData("mouse/selectGun"))
        for (var g = 0; g < 3; ++g) {
            var data = Values.toList(ui_View.getGunData(select.length > g ? select[g] : g))
            rates[g] = data.length > 2 ? Values.toInt(data[2], 0) : 0
        }
        return rates
    }

    function init(isSendData, isRecovery) {
        var recovery = isRecovery === true
        var names = [[], []]
        for (var mode = 0; mode < 2; ++mode) {
            var list = listOf(mode).map(function(e) { return e.slice() })
            for (var j = 0; j < 16; ++j) {
                var stored = Values.toList(ui_View.mouseGetKeydefine(mode, j, recovery))
                if (stored.length >= 4)
                    list[j] = Functions.normalise(stored)
                if (list[j][0] === 4) {
                    var name = ui_View.getData(macroKeyPrefix(mode) + j, recovery)
                    names[mode][j] = name === undefined || name === null ? "" : String(name)
                }
            }
            setList(mode, list)
        }
        macroNames = names
        closeMenu()
        if (isSendData === true)
            send()
        pageInitialised(isSendData === true, recovery)
    }

    function send() {
        ui_View.mouseSetKeyMatrix(mouseMode, flatList(0), flatList(1), true, gunRates())
    }

    function saveData() {
        send()
        pageSaved()
    }

    // After a factory reset: nothing open, nothing highlighted.
    function resetKeys() {
        closeMenu()
        hoverIndex = -1
    }

    function refuseForLeftButton(index, code) {
        if (index === 0 && !Functions.sameCode(code, [0x00, 0x00, 0xF0, 0x00])) {
            warningDialog.show(Values.at(warningDialog.warningAssigmentLang, 2))
            return true
        }
        return false
    }

    // Store a function in the entry of the current mode; button 1 keeps its
    // left click.
    function assignEntry(index, code) {
        var c = Functions.normalise(code)
        closeMenu()
        if (index < 0 || index >= 16 || refuseForLeftButton(index, c))
            return false
        var list = listOf(mouseMode).slice()
        list[index] = c
        setList(mouseMode, list)
        isSave = true
        return true
    }

    // A macro of the library for a button: it goes to the mouse at once and
    // its name is stored with the button.
    function assignMacro(index, runMode, entry) {
        closeMenu()
        if (index < 0 || index >= 16 || refuseForLeftButton(index, [0x04, runMode, index, 0]))
            return false
        var chain = (entry.chain || []).concat(["", "", "", "", ""])
        ui_View.setMacroSelectName(chain[0], chain[1], chain[2], chain[3], chain[4])
        var stored = Values.toList(ui_View.loadMacroIni(entry.level || 0, entry.name))
        var actions = stored.slice(0, Math.max(0, stored.length - 1))
        var repeat = stored.length > 0 ? stored[stored.length - 1] : 1
        ui_View.mouseSendMacroData(MacroCodec.deCode(actions, repeat), index)
        ui_View.setData(macroKeyPrefix(mouseMode) + index, entry.name)
        var names = [macroNames[0].slice(), macroNames[1].slice()]
        names[mouseMode][index] = entry.name
        macroNames = names
        var list = listOf(mouseMode).slice()
        list[index] = [0x04, runMode & 0xFF, index, 0x00]
        setList(mouseMode, list)
        isSave = true
        return true
    }

    // The per-button restore to the entry's fixed default.
    function restoreEntry(index) {
        var defaults = mouseMode === 1 ? modKeys_tmp2 : modKeys_tmp
        return assignEntry(index, defaults[index])
    }

    // The macro editor deleted a macro: office entries bound to it get their
    // default back and the lists go to the mouse at once.
    function macroDeleted(name) {
        var list = modKeys.slice()
        var changed = false
        for (var i = 0; i < 16; ++i) {
            if (list[i][0] === 4 && macroNames[0][i] === name) {
                list[i] = modKeys_tmp[i].slice()
                changed = true
            }
        }
        if (changed) {
            modKeys = list
            send()
        }
        ui_View.deleteMacroUpdateProfile(name)
    }

    // The macro editor renames a macro: the file or folder on disk, then the
    // entries bound to it, which show the new name. False, with everything
    // as it was, when the rename or the profile's write fails.
    function macroRenamed(level, type, oldName, newName) {
        if (!ui_View.modifyMacroNameUpdateProfile(level, type, oldName, newName))
            return false
        var names = [macroNames[0].slice(), macroNames[1].slice()]
        var bound = []
        for (var i = 0; i < 16; ++i) {
            if (modKeys[i][0] === 4 && names[0][i] === oldName) {
                names[0][i] = newName
                ui_View.setData(macroKeyPrefix(0) + i, newName)
                bound.push(i)
            }
        }
        if (bound.length > 0 && !ui_View.writePendingSettings()) {
            for (var k = 0; k < bound.length; ++k)
                ui_View.setData(macroKeyPrefix(0) + bound[k], oldName)
            ui_View.modifyMacroNameUpdateProfile(level, type, newName, oldName)
            return false
        }
        macroNames = names
        return true
    }

    // The macro editor changed a macro's actions: every entry bound to it
    // receives the new bytes.
    function macroEdited(name, bytes) {
        for (var i = 0; i < 16; ++i) {
            if (modKeys[i][0] === 4 && macroNames[0][i] === name)
                ui_View.mouseSendMacroData(bytes, i)
        }
    }

    function openMenu(index) {
        mainIten.mainFocus()
        menuIndex = index
        var row = buttonList.itemAtIndex(index)
        var rowY = row ? listFrame.y + buttonList.y + row.y - buttonList.contentY : 0
        functionMenu.openRow = -1
        functionMenu.x = listFrame.x + 44
        // Below the entry when it fits, otherwise above it.
        var below = rowY + 30
        functionMenu.y = below + functionMenu.height <= page.height - 4 ? below
                       : Math.max(0, rowY - functionMenu.height - 1)
        functionMenu.visible = true
    }

    function closeMenu() {
        menuIndex = -1
        functionMenu.close()
    }

    function chooseDialog(kind) {
        var index = menuIndex
        var code = listOf(mouseMode)[index]
        closeMenu()
        if (index === 0) {
            refuseForLeftButton(0, [0xFF, 0, 0, 0])
            return
        }
        if (kind === "macro")
            mainIten.macroKeyDialogItem().open(index, code)
        else
            keyAssigmentDialog.open(kind, index, code)
    }

    Connections {
        target: mainIten
        function onClickMainFocus() { page.closeMenu() }
    }

    PagePanel {
        anchors.fill: parent
        caption: Values.at(page.keyMatrixLang, 20)
    }

    // Mode switch: office mode only; the game mode is kept but not offered.
    Row {
        id: modeSwitch
        anchors.right: parent.right
        anchors.rightMargin: 14
        y: 12
        spacing: 8
        Rectangle {
            objectName: "officeMode"
            width: officeText.implicitWidth + 24
            height: 26
            radius: 13
            color: page.mouseMode === 0 ? mainIten.colorPrimary : "#1f2024"
            Text {
                id: officeText
                anchors.centerIn: parent
                text: Values.at(page.keyMatrixLang, 4)
                color: page.mouseMode === 0 ? "#1a1a1a" : mainIten.fontColor
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontMinSize + 2
            }
        }
        Rectangle {
            objectName: "gameMode"
            visible: false
            enabled: false
            width: 10
            height: 26
        }
    }

    Item {
        id: listFrame
        x: 14
        y: 50
        width: 300
        height: parent.height - y - 14

        Row {
            id: header
            x: 0
            spacing: 0
            Text {
                width: 44
                text: Values.at(page.keyMatrixLang, 11)
                color: mainIten.colorGray2
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontMinSize
            }
            Text {
                text: Values.at(page.keyMatrixLang, 12)
                color: mainIten.colorGray2
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontMinSize
            }
        }

        ListView {
            id: buttonList
            objectName: "buttonList"
            y: 20
            width: parent.width
            height: parent.height - y
            clip: true
            spacing: 2
            boundsBehavior: Flickable.StopAtBounds
            model: Math.min(page.mouseKeyCount, 16)
            delegate: Item {
                id: row
                required property int index
                // Under an open dialog the pointer is over the dialog, not the row.
                readonly property bool lit: (page.hoverIndex === index && !mainIten.isDialogOpen) || page.menuIndex === index
                objectName: "buttonRow" + index
                width: buttonList.width
                height: 29
                Text {
                    width: 36
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignHCenter
                    text: Functions.numberGlyphs[index]
                    color: row.lit ? mainIten.colorPrimary : mainIten.colorGray3
                    font.pixelSize: 20
                }
                Rectangle {
                    objectName: "entryField"
                    x: 44
                    width: parent.width - 44 - 34
                    height: 26
                    anchors.verticalCenter: parent.verticalCenter
                    radius: 3
                    color: "#1f2024"
                    border.color: row.lit ? mainIten.colorPrimary : mainIten.colorGray1
                    Text {
                        objectName: "entryText"
                        anchors.left: parent.left
                        anchors.leftMargin: 10
                        anchors.right: parent.right
                        anchors.rightMargin: 24
                        anchors.verticalCenter: parent.verticalCenter
                        elide: Text.ElideRight
                        text: page.entryText(page.mouseMode, index)
                        color: mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    SvgImage {
                        width: 12
                        height: 8
                        anchors.right: parent.right
                        anchors.rightMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        rotation: page.menuIndex === index ? 180 : 0
                        source: mainIten.skinImage("index", row.lit ? "arrowDownH.svg" : "arrowDown.svg")
                    }
                    MouseArea {
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onEntered: page.hoverIndex = index
                        onExited: if (page.hoverIndex === index) page.hoverIndex = -1
                        onClicked: {
                            if (page.menuIndex === index)
                                page.closeMenu()
                            else
                                page.openMenu(index)
                        }
                    }
                }
                Rectangle {
                    objectName: "restoreButton"
                    width: 26
                    height: 26
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    radius: 3
                    color: restoreArea.pressed ? "#2e2a24" : "transparent"
                    border.color: restoreArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray1
                    Text {
                        anchors.centerIn: parent
                        text: "\u21BA"
                        color: restoreArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray2
                        font.pixelSize: 16
                    }
                    MouseArea {
                        id: restoreArea
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onEntered: page.hoverIndex = index
                        onExited: if (page.hoverIndex === index) page.hoverIndex = -1
                        onClicked: page.restoreEntry(index)
                    }
                }
            }
        }

    }

    TextButton {
        id: gunButton
        objectName: "gunButton"
        visible: mainIten.isGun
        width: 160
        height: 32
        anchors.horizontalCenter: mouseDrawing.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 14
        text: Values.at(page.keyMatrixLang, 14)
        onClicked: mainIten.showDialog(gunEditor)
    }

    MouseDrawing {
        id: mouseDrawing
        objectName: "mouseDrawing"
        x: listFrame.x + listFrame.width + (page.width - listFrame.x - listFrame.width - width) / 2
        y: 56
        width: Math.min(210, page.width - listFrame.width - 40)
        height: Math.min(page.height - 130, width * 1.7)
        keyCount: page.mouseKeyCount
        highlightIndex: page.hoverIndex >= 0 && !mainIten.isDialogOpen ? page.hoverIndex : page.menuIndex
        onMarkerEntered: function(index) { page.hoverIndex = index }
        onMarkerExited: function(index) { if (page.hoverIndex === index) page.hoverIndex = -1 }
    }

    FunctionMenu {
        id: functionMenu
        objectName: "functionMenu"
        visible: false
        z: 50
        mode: page.mouseMode
        texts: page.assignTexts
        currentCode: page.menuIndex >= 0 ? page.listOf(page.mouseMode)[page.menuIndex] : []
        onItemChosen: function(code) { page.assignEntry(page.menuIndex, code) }
        onDialogChosen: function(kind) { page.chooseDialog(kind) }
    }
}

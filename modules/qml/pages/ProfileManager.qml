import QtQuick
import "../common"
import "../common/Values.js" as Values

// Profile manager ("Config"): at most six named profiles, each entry of the
// name index (type 2) being the name followed by its profile slot digit.
DialogFrame {
    id: dialog
    // Texts of the group "profile".
    property var profileLang: ["Profiles", "Close", "New", "Delete", "Export", "Import",
        "Confirm delete ?", "OK", "Cancel", "A profile with this name already exists.",
        "A click switches to a profile. Right-click: select it without switching (to delete, export or import). Double-click: rename.",
        "Six profiles are the most there can be. Delete one first.",
        "The profile in use cannot be deleted. Right-click another profile to select it without switching to it."]
    // Names shown, and the profile slot of each entry.
    property var profileNames: ["Standard"]
    property var profileSlots: [0]
    // Selected row, the row being renamed and the row a delete waits for.
    property int selectedIndex: 0
    property int editIndex: -1
    property int pendingDelete: -1
    property string editError: ""
    readonly property int maxProfiles: 6
    // Texts of the group "programRules" (the program rules' dialog holds
    // them): "Programs…" and the word on rules that go with a profile.
    property var rulesLang: []
    // How many program rules the profile a delete waits for has.
    property int pendingRuleCount: 0
    // Asked of the frame when the user picks an entry.
    signal profileSelected(int slot)
    // "Programs…": the frame opens the program rules' dialog over this one.
    signal programsRequested()

    title: Values.at(profileLang, 0)
    width: 540
    // Tall enough for the hint, six rows, a message and the buttons in
    // every language (the frame's title takes 52, its bottom margin 20).
    height: Math.max(440, 52 + errorText.y + errorText.height + 16 + 36 + 20)
    onCloseRequested: close()

    // Escape first closes the right-click menu or the delete question.
    function closeInner() {
        if (contextMenu.visible) {
            contextMenu.visible = false
            return true
        }
        if (pendingDelete >= 0) {
            pendingDelete = -1
            return true
        }
        return false
    }

    function init(isSendData, isRecovery) {
        var entries = Values.toList(ui_View.getNameList(2))
        var names = []
        var slots = []
        for (var i = 0; i < entries.length; ++i) {
            var e = entries[i]
            var slot = parseInt(e.charAt(e.length - 1), 10)
            if (e === "emptyslotkey" || e.length < 2 || isNaN(slot) || slots.indexOf(slot) >= 0)
                continue
            names.push(e.substring(0, e.length - 1))
            slots.push(slot)
        }
        if (names.length === 0) {
            names = ["Standard"]
            slots = [0]
        }
        profileNames = names.slice(0, maxProfiles)
        profileSlots = slots.slice(0, maxProfiles)
        selectedIndex = Math.max(0, indexOfSlot(mainIten.profileNo))
        pageInitialised(isSendData === true, isRecovery === true)
    }

    // Index in the list of a profile slot, or -1.
    function indexOfSlot(slot) {
        return profileSlots.indexOf(slot)
    }

    function close() {
        editIndex = -1
        editError = ""
        pendingDelete = -1
        contextMenu.visible = false
        mainIten.hideDialog(dialog)
    }

    // Store the list in the name index and keep the title bar in step.
    function store(names, slots) {
        profileNames = names
        profileSlots = slots
        ui_View.updataNameList(2, names.map(function(n, i) { return n + slots[i] }))
        menuUp.profileIndex = indexOfSlot(mainIten.profileNo)
    }

    // The first free name "profile_"N (N 0 to 11) and the first free slot 0
    // to 5, or null when the list is full.
    function freeEntry() {
        if (profileNames.length >= maxProfiles)
            return null
        var name = ""
        for (var n = 0; n < 12 && name === ""; ++n) {
            if (profileNames.indexOf("profile_" + n) < 0)
                name = "profile_" + n
        }
        var slot = -1
        for (var s = 0; s < maxProfiles && slot < 0; ++s) {
            if (profileSlots.indexOf(s) < 0)
                slot = s
        }
        return name !== "" && slot >= 0 ? { name: name, slot: slot } : null
    }

    function addEntry(entry) {
        store(profileNames.concat([entry.name]), profileSlots.concat([entry.slot]))
        selectedIndex = profileNames.length - 1
    }

    // "New": a fresh profile with the factory settings.
    function newProfile() {
        var entry = freeEntry()
        if (!entry) {
            editError = Values.at(profileLang, 11)
            return false
        }
        addEntry(entry)
        ui_View.resetProfile(entry.slot)
        return true
    }

    function canDelete(index) {
        return index > 0 && index < profileNames.length && profileSlots[index] !== mainIten.profileNo
    }

    // "Delete" asks first; the file of the profile stays on disk. The
    // profile in use says why it stays: a click on a name switches to it,
    // so a user who clicked to select may not know it is now in use.
    function requestDelete(index) {
        contextMenu.visible = false
        if (!canDelete(index)) {
            if (index >= 0 && index < profileSlots.length && profileSlots[index] === mainIten.profileNo)
                editError = Values.at(profileLang, 12)
            return false
        }
        contextMenu.visible = false
        editIndex = -1
        pendingRuleCount = rulesOf(profileSlots[index] + 1)
        pendingDelete = index
        return true
    }

    // The number of program rules that apply profile N (slot + 1).
    function rulesOf(profile) {
        var rules = ui_View.programRules().rules
        var count = 0
        for (var i = 0; rules && i < rules.length; ++i)
            count += Number(rules[i].profile) === profile ? 1 : 0
        return count
    }
    // The word on the rules that go with the profile, "" without any.
    function rulesWord(count) {
        if (count <= 0)
            return ""
        return count === 1 ? Values.at(rulesLang, 25) : Values.at(rulesLang, 26).replace("%1", count)
    }

    // Deleting a profile takes its program rules with it.
    function confirmDelete() {
        var index = pendingDelete
        pendingDelete = -1
        if (!canDelete(index))
            return
        var names = profileNames.slice()
        var slots = profileSlots.slice()
        var profile = slots[index] + 1
        names.splice(index, 1)
        slots.splice(index, 1)
        store(names, slots)
        ui_View.removeProgramRulesOf(profile)
        selectedIndex = Math.max(0, indexOfSlot(mainIten.profileNo))
    }

    // "Export": the profile's file to a file the user picks.
    function exportProfile(index) {
        var inList = index >= 0 && index < profileSlots.length
        var slot = inList ? profileSlots[index] : mainIten.profileNo
        // The dialog suggests the profile's name as the file name.
        var name = inList ? profileNames[index] : profileNames[indexOfSlot(slot)]
        ui_View.saveProfile(slot, name === undefined ? "" : String(name))
    }

    // "Import": a new entry whose profile comes from a file the user picks;
    // the entry goes again when the user cancels.
    function importProfile() {
        var entry = freeEntry()
        if (!entry) {
            editError = Values.at(profileLang, 11)
            return false
        }
        var names = profileNames.slice()
        var slots = profileSlots.slice()
        addEntry(entry)
        if (ui_View.loadProfile(entry.slot) === true)
            return true
        store(names, slots)
        selectedIndex = Math.max(0, indexOfSlot(mainIten.profileNo))
        return false
    }

    // Rename an entry; empty names and names already listed are refused,
    // and the first entry keeps its name.
    function rename(index, newName) {
        var name = String(newName).trim()
        if (index <= 0 || index >= profileNames.length)
            return false
        if (name === "" || name === "emptyslotkey") {
            editError = ""
            return false
        }
        for (var i = 0; i < profileNames.length; ++i) {
            if (i !== index && profileNames[i] === name) {
                editError = Values.at(profileLang, 9)
                return false
            }
        }
        editError = ""
        var names = profileNames.slice()
        names[index] = name
        store(names, profileSlots.slice())
        return true
    }

    function choose(index) {
        if (index < 0 || index >= profileSlots.length)
            return
        selectedIndex = index
        dialog.profileSelected(profileSlots[index])
    }

    // A click chooses its entry once the double-click time has passed
    // without a second click: a double-click renames without switching.
    function clickEntry(index) {
        contextMenu.visible = false
        editError = ""
        selectedIndex = index
        chooseTimer.entry = index
        chooseTimer.restart()
    }

    function startRename(index) {
        chooseTimer.stop()
        if (index <= 0 || index >= profileNames.length)
            return false
        editError = ""
        selectedIndex = index
        editIndex = index
        return true
    }

    Timer {
        id: chooseTimer
        objectName: "chooseTimer"
        property int entry: -1
        interval: Qt.styleHints.mouseDoubleClickInterval
        onTriggered: dialog.choose(entry)
    }

    // Keys reach the list while the dialog is open: Up and Down select
    // without switching, Return switches, Delete asks to delete.
    onVisibleChanged: {
        if (visible)
            forceActiveFocus()
        else
            chooseTimer.stop()
    }
    function selectByKey(step) {
        if (editIndex >= 0 || pendingDelete >= 0)
            return
        chooseTimer.stop()
        contextMenu.visible = false
        editError = ""
        selectedIndex = Math.max(0, Math.min(profileNames.length - 1, selectedIndex + step))
    }
    Keys.onUpPressed: selectByKey(-1)
    Keys.onDownPressed: selectByKey(1)
    Keys.onReturnPressed: if (editIndex < 0 && pendingDelete < 0) choose(selectedIndex)
    Keys.onDeletePressed: if (editIndex < 0 && pendingDelete < 0) requestDelete(selectedIndex)
    // F2 renames the selected profile, as a double-click does.
    Keys.onPressed: function(event) {
        if (event.key === Qt.Key_F2 && editIndex < 0 && pendingDelete < 0)
            event.accepted = startRename(selectedIndex)
    }
    // The rename field gives the keys back to the dialog, so Escape still
    // reaches the frame.
    onEditIndexChanged: if (editIndex < 0 && visible) forceActiveFocus()

    Text {
        id: hint
        objectName: "profileHint"
        width: parent.width
        text: Values.at(dialog.profileLang, 10)
        wrapMode: Text.WordWrap
        color: mainIten.colorGray2
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize + 1
    }
    // The keyboard's way to rename, under the pointer's ways.
    Text {
        id: keysHint
        objectName: "profileKeysHint"
        y: hint.height + 2
        width: parent.width
        text: mainIten.keyboardTexts[7]
        wrapMode: Text.WordWrap
        color: mainIten.colorGray2
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize + 1
    }

    Column {
        id: list
        objectName: "profileList"
        // Below the hints, however many lines they take in the language chosen.
        y: keysHint.y + keysHint.height + 10
        width: parent.width
        spacing: 6
        Repeater {
            model: dialog.profileNames
            delegate: Rectangle {
                id: row
                required property int index
                required property var modelData
                readonly property bool inUse: dialog.profileSlots[index] === mainIten.profileNo
                objectName: "profileRow" + index
                Accessible.role: Accessible.ListItem
                Accessible.name: String(modelData)
                Accessible.selectable: true
                Accessible.selected: index === dialog.selectedIndex
                Accessible.onPressAction: dialog.choose(index)
                width: list.width
                height: 36
                radius: 3
                color: index === dialog.selectedIndex ? "#2e2a24" : rowArea.containsMouse ? "#26272c" : "#1f2024"
                border.color: inUse ? mainIten.colorPrimary : mainIten.colorGray1
                Rectangle {
                    visible: row.inUse
                    x: 0
                    width: 3
                    height: parent.height
                    color: mainIten.colorPrimary
                }
                Text {
                    visible: dialog.editIndex !== index
                    anchors.left: parent.left
                    anchors.leftMargin: 14
                    anchors.verticalCenter: parent.verticalCenter
                    text: String(modelData)
                    color: row.inUse ? mainIten.colorPrimary : mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function(mouse) {
                        if (mouse.button === Qt.RightButton) {
                            dialog.selectedIndex = index
                            contextMenu.x = mouse.x + row.x
                            contextMenu.y = mouse.y + row.y + list.y
                            contextMenu.entry = index
                            contextMenu.visible = true
                        } else {
                            dialog.clickEntry(index)
                        }
                    }
                    onDoubleClicked: function(mouse) {
                        if (mouse.button === Qt.LeftButton)
                            dialog.startRename(index)
                    }
                }
                TextInput {
                    id: editor
                    objectName: "renameInput"
                    visible: dialog.editIndex === index
                    anchors.fill: parent
                    anchors.leftMargin: 14
                    verticalAlignment: TextInput.AlignVCenter
                    maximumLength: 24
                    color: mainIten.fontColor
                    selectionColor: mainIten.colorPrimary
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    onVisibleChanged: {
                        if (visible) {
                            text = String(modelData)
                            forceActiveFocus()
                            selectAll()
                        }
                    }
                    // Storing a name rebuilds the rows, this one included:
                    // keep the dialog at hand before.
                    onAccepted: {
                        var d = dialog
                        if (d.rename(index, text))
                            d.editIndex = -1
                    }
                    Keys.onEscapePressed: dialog.editIndex = -1
                    onActiveFocusChanged: {
                        if (!activeFocus && dialog.editIndex === index) {
                            var d = dialog
                            d.editIndex = -1
                            d.rename(index, text)
                        }
                    }
                }
            }
        }
    }

    Text {
        id: errorText
        objectName: "profileError"
        y: list.y + list.height + 8
        width: parent.width
        wrapMode: Text.WordWrap
        visible: dialog.editError !== ""
        text: dialog.editError
        color: mainIten.colorAccent
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize + 1
    }

    Row {
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        spacing: 12
        TextButton {
            objectName: "newProfileButton"
            minimumWidth: 100
            text: Values.at(dialog.profileLang, 2)
            opacity: dialog.profileNames.length < dialog.maxProfiles ? 1 : 0.4
            onClicked: dialog.newProfile()
        }
        TextButton {
            objectName: "deleteProfileButton"
            minimumWidth: 100
            text: Values.at(dialog.profileLang, 3)
            opacity: dialog.canDelete(dialog.selectedIndex) ? 1 : 0.4
            onClicked: dialog.requestDelete(dialog.selectedIndex)
        }
        TextButton {
            objectName: "programsButton"
            minimumWidth: 100
            text: Values.at(dialog.rulesLang, 1)
            onClicked: dialog.programsRequested()
        }
    }
    TextButton {
        objectName: "closeProfileButton"
        minimumWidth: 100
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        text: Values.at(dialog.profileLang, 1)
        onClicked: dialog.close()
    }

    // Right-click menu of an entry.
    Rectangle {
        id: contextMenu
        objectName: "profileContextMenu"
        property int entry: -1
        visible: false
        z: 20
        width: 140
        height: menuColumn.height + 6
        radius: 3
        color: "#24252a"
        border.color: mainIten.colorPrimary
        Column {
            id: menuColumn
            x: 3
            y: 3
            width: parent.width - 6
            Repeater {
                model: [4, 5, 3]
                delegate: Rectangle {
                    required property int index
                    required property var modelData
                    objectName: ["exportItem", "importItem", "deleteItem"][index]
                    opacity: index !== 2 || dialog.canDelete(contextMenu.entry) ? 1 : 0.4
                    width: menuColumn.width
                    height: 28
                    color: itemArea.containsMouse ? "#3a2e1e" : "transparent"
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: Values.at(dialog.profileLang, modelData)
                        color: itemArea.containsMouse ? mainIten.colorPrimary : mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    MouseArea {
                        id: itemArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            contextMenu.visible = false
                            if (index === 0)
                                dialog.exportProfile(contextMenu.entry)
                            else if (index === 1)
                                dialog.importProfile()
                            else
                                dialog.requestDelete(contextMenu.entry)
                        }
                    }
                }
            }
        }
    }

    // The delete confirmation, over the list; the rest of the dialog rests.
    MouseArea {
        visible: dialog.pendingDelete >= 0
        z: 29
        anchors.fill: parent
        anchors.topMargin: -52
        acceptedButtons: Qt.AllButtons
    }
    Rectangle {
        objectName: "deleteConfirm"
        visible: dialog.pendingDelete >= 0
        z: 30
        anchors.centerIn: parent
        width: parent.width - 20
        height: Math.max(120, question.y + question.height + 12 + 36 + 12)
        radius: 4
        color: "#f0141518"
        border.color: mainIten.colorPrimary
        Text {
            id: question
            objectName: "deleteQuestion"
            x: 16
            y: 16
            width: parent.width - 32
            wrapMode: Text.WordWrap
            text: Values.at(dialog.profileLang, 6) + "  "
                  + (dialog.pendingDelete >= 0 ? Values.at(dialog.profileNames, dialog.pendingDelete) : "")
                  + (dialog.pendingRuleCount > 0 ? "\n" + dialog.rulesWord(dialog.pendingRuleCount) : "")
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 14
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 12
            spacing: 12
            TextButton {
                objectName: "deleteOk"
                minimumWidth: 100
                text: Values.at(dialog.profileLang, 7)
                onClicked: dialog.confirmDelete()
            }
            TextButton {
                objectName: "deleteCancel"
                minimumWidth: 100
                text: Values.at(dialog.profileLang, 8)
                onClicked: dialog.pendingDelete = -1
            }
        }
    }
}

import QtQuick
import "../common"
import "../common/Values.js" as Values

// "Programs": which profile the program in front gets. The on/off switch of
// automatic switching, the notice, the default profile and the rules
// (program, how it is matched, profile), with "Add" (a program that has a
// window now, or a typed name) and "Remove". The rules live in the backend
// (ui_View.programRules()); the dialog shows them again whenever they
// change, also by halcyonctl while it is open. Profiles are numbered as the
// backend counts them, slot + 1; a rule for a profile the title bar does
// not list is shown as missing (it is never applied).
DialogFrame {
    id: dialog
    // Texts of the group "programRules".
    property var programRulesLang: ["Programs", "Programs…",
        "Switch to the profile of the program in front", "Show a notice at each switch",
        "Default profile", "Program", "Profile", "Add", "Remove", "Close",
        "Profile %1: missing, never applied", "Executable", "Window class",
        "Programs with windows now", "Program name", "Match by", "Cancel",
        "No program shows a window now. Type the name of its executable.",
        "Type a program name or pick a program from the list.",
        "A program name cannot hold a slash (/).",
        "A program name cannot hold control characters.",
        "A program name is at most 255 bytes long.",
        "There can be at most 100 rules. Remove one first.",
        "Pick a profile from the list.",
        "The rules could not be written.",
        "Its program rule goes with it.",
        "Its %1 program rules go with it.",
        "No rules yet: the default profile applies to every program.",
        "Rules", "Add a rule"]
    // The profiles the title bar lists: names, and the slot (0-based) of each.
    property var profileNames: []
    property var profileSlots: []
    // What the backend holds (ui_View.programRules()).
    property var rules: []
    property bool autoSwitch: false
    property bool notice: true
    property int defaultProfile: 1
    property string unavailableReason: ""
    property int selectedRule: -1
    property string message: ""
    // The "Add" panel: the programs with windows, the row picked, what the
    // rule will match and the profile it will apply.
    property bool addOpen: false
    property var windows: []
    property int windowIndex: -1
    property string addProgram: ""
    property int addMatch: 0
    property int addProfileIndex: 0
    property string addMessage: ""
    // Whether "Add" was pressed by key: the keys go to the list of programs
    // and back to "Add" afterwards; a pointer user types into the name.
    property bool addByKey: false
    // The dialog this one opened over (it rests until this one closes), and
    // the control that had the keys.
    property var opener: null
    property var focusBefore: null
    readonly property var matchNames: ["executable", "class"]

    title: tr(0)
    width: 700
    height: 560
    z: 5
    onCloseRequested: close()

    function tr(i) { return Values.at(programRulesLang, i) }
    // A list of the backend as a JavaScript array of its entries.
    function entries(list) {
        var out = []
        for (var i = 0; list && i < list.length; ++i)
            out.push(list[i])
        return out
    }

    // The name of profile N (1 to 10) as the title bar lists it, or "".
    function profileName(profile) {
        var i = profileSlots.indexOf(profile - 1)
        return i >= 0 ? String(profileNames[i]) : ""
    }
    function profileText(profile) {
        var name = profileName(profile)
        return name !== "" ? name : tr(10).replace("%1", profile)
    }
    function matchText(match) { return match === "class" ? tr(12) : tr(11) }

    function reload() {
        var data = ui_View.programRules()
        rules = entries(data.rules)
        autoSwitch = data.autoSwitch === true
        notice = data.notice !== false
        defaultProfile = Number(data.defaultProfile)
        unavailableReason = String(data.unavailableReason || "")
        if (selectedRule >= rules.length)
            selectedRule = rules.length - 1
    }

    // Opens over `from` (the profile manager), which rests meanwhile.
    function open(from, names, slots) {
        profileNames = names
        profileSlots = slots
        message = ""
        addOpen = false
        selectedRule = -1
        reload()
        focusBefore = Window.activeFocusItem
        opener = mainMask.visible ? from : null
        if (opener) {
            opener.enabled = false
            dialog.x = (mainIten.normalW - dialog.width) / 2
            dialog.y = (mainIten.normalH - dialog.height) / 2
            dialog.visible = true
            dialog.forceActiveFocus(Qt.TabFocusReason)
        } else {
            mainIten.showDialog(dialog)
        }
    }

    function close() {
        addOpen = false
        if (opener) {
            dialog.visible = false
            opener.enabled = true
            opener = null
            var back = focusBefore
            if (back && back.visible && back.enabled)
                back.forceActiveFocus(Qt.TabFocusReason)
            else
                focusSink.forceActiveFocus()
        } else {
            mainIten.hideDialog(dialog)
        }
        focusBefore = null
    }

    // Escape first closes the "Add" panel.
    function closeInner() {
        if (!addOpen)
            return false
        closeAdd()
        return true
    }

    function setAutoSwitch(on) {
        if (unavailableReason === "")
            ui_View.setAutoProfile(on)
    }
    function setNotice(on) { ui_View.setAutoProfileNotice(on) }
    function setDefault(index) {
        if (index >= 0 && index < profileSlots.length)
            ui_View.setDefaultProfile(profileSlots[index] + 1)
    }

    function removeSelected() {
        message = ""
        if (selectedRule < 0 || selectedRule >= rules.length)
            return false
        var rule = rules[selectedRule]
        var removed = ui_View.removeProgramRule(String(rule.program), String(rule.match))
        reload()
        return removed
    }

    function openAdd(byKey) {
        addByKey = byKey === true
        message = ""
        windows = entries(ui_View.programsWithWindows())
        windowIndex = -1
        addProgram = ""
        addMatch = 0
        addMessage = ""
        var current = profileSlots.indexOf(mainIten.profileNo)
        addProfileIndex = current >= 0 ? current : 0
        addOpen = true
    }
    function closeAdd() {
        addOpen = false
        addMessage = ""
    }

    // A program of the list fills the name, by executable where the
    // desktop tells it, else by window class.
    function pickWindow(index) {
        if (index < 0 || index >= windows.length)
            return
        windowIndex = index
        var w = windows[index]
        if (String(w.executable || "") === "")
            addMatch = 1
        addProgram = String(addMatch === 1 ? w["class"] || w.instance || "" : w.executable)
        addMessage = ""
    }
    function setAddMatch(match) {
        addMatch = match
        if (windowIndex >= 0)
            pickWindow(windowIndex)
    }

    readonly property var refusals: ({ "empty": 18, "slash": 19, "control": 20, "long": 21,
                                       "count": 22, "profile": 23, "match": 23, "write": 24 })
    // Adds the rule of the panel; a refusal stays in the panel, said.
    function confirmAdd() {
        if (addProfileIndex < 0 || addProfileIndex >= profileSlots.length) {
            addMessage = tr(23)
            return false
        }
        var profile = profileSlots[addProfileIndex] + 1
        var code = String(ui_View.addProgramRule(addProgram, matchNames[addMatch], profile))
        if (code !== "") {
            addMessage = tr(refusals[code] !== undefined ? refusals[code] : 24)
            return false
        }
        var program = addProgram
        var match = matchNames[addMatch]
        reload()
        for (var i = 0; i < rules.length; ++i) {
            if (rules[i].program === program && rules[i].match === match)
                selectedRule = i
        }
        closeAdd()
        return true
    }

    // halcyonctl, a deleted profile or this dialog changed the rules.
    Connections {
        // The backend is there once the scene runs, not while it loads.
        target: typeof ui_View !== "undefined" ? ui_View : null
        ignoreUnknownSignals: true
        function onProgramRulesChanged() { if (dialog.visible) dialog.reload() }
    }
    // The keys go back to "Add" when its panel closes.
    QtObject {
        id: addButtonFocus
        signal focusAdd()
    }
    onAddOpenChanged: {
        if (addOpen || !visible)
            return
        // After the rules are shown again, "Add" among them.
        if (addByKey)
            Qt.callLater(addButtonFocus.focusAdd)
        else
            dialog.forceActiveFocus()
    }

    deferredContent: Component {
        Item {
            id: content
            anchors.fill: parent

            Item {
                id: mainPart
                anchors.fill: parent
                visible: !dialog.addOpen

                Column {
                    id: settingsColumn
                    // Over the rules, which the open drop-down list covers.
                    z: 2
                    width: parent.width
                    spacing: 10
                    Text {
                        objectName: "programRulesUnavailable"
                        visible: dialog.unavailableReason !== ""
                        width: parent.width
                        wrapMode: Text.WordWrap
                        text: dialog.unavailableReason
                        color: mainIten.colorAccent
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontMinSize + 1
                    }
                    CheckBox {
                        objectName: "autoSwitchBox"
                        text: dialog.tr(2)
                        checked: dialog.autoSwitch
                        enabled: dialog.unavailableReason === ""
                        opacity: enabled ? 1 : 0.4
                        onToggled: function(on) { dialog.setAutoSwitch(on) }
                    }
                    CheckBox {
                        objectName: "noticeBox"
                        text: dialog.tr(3)
                        checked: dialog.notice
                        onToggled: function(on) { dialog.setNotice(on) }
                    }
                    Row {
                        spacing: 12
                        Text {
                            id: defaultLabel
                            height: defaultDropDown.height
                            verticalAlignment: Text.AlignVCenter
                            text: dialog.tr(4)
                            color: mainIten.colorGray3
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMinSize + 2
                        }
                        DropDown {
                            id: defaultDropDown
                            objectName: "defaultProfileDropDown"
                            width: 200
                            z: 60
                            model: dialog.profileNames
                            currentIndex: dialog.profileSlots.indexOf(dialog.defaultProfile - 1)
                            accessibleName: dialog.tr(4)
                            onActivated: function(index) { dialog.setDefault(index) }
                        }
                        Text {
                            objectName: "defaultProfileMissing"
                            visible: defaultDropDown.currentIndex < 0
                            height: defaultDropDown.height
                            verticalAlignment: Text.AlignVCenter
                            text: dialog.tr(10).replace("%1", dialog.defaultProfile)
                            color: mainIten.colorAccent
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMinSize + 1
                        }
                    }
                }

                // The rules: program, how it matches, profile.
                Row {
                    id: header
                    y: settingsColumn.height + 18
                    x: 10
                    Repeater {
                        model: [[5, 220], [15, 140], [6, 280]]
                        delegate: Text {
                            required property var modelData
                            width: modelData[1]
                            rightPadding: 8
                            text: dialog.tr(modelData[0])
                            elide: Text.ElideRight
                            color: mainIten.colorGray2
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMinSize + 1
                        }
                    }
                }
                Rectangle {
                    id: rulesFrame
                    y: header.y + header.height + 4
                    width: parent.width
                    height: buttons.y - y - messageText.height - 12
                    radius: 3
                    color: "#17181b"
                    border.color: mainIten.colorGray1
                    ListView {
                        id: rulesList
                        objectName: "programRulesList"
                        anchors.fill: parent
                        anchors.margins: 2
                        clip: true
                        model: dialog.rules
                        currentIndex: dialog.selectedRule
                        activeFocusOnTab: mainIten.keyReachable(rulesList) && dialog.rules.length > 0
                        Accessible.role: Accessible.List
                        Accessible.name: dialog.tr(28)
                        Accessible.focusable: true
                        Keys.onUpPressed: dialog.selectedRule = Math.max(0, dialog.selectedRule - 1)
                        Keys.onDownPressed: dialog.selectedRule = Math.min(dialog.rules.length - 1, dialog.selectedRule + 1)
                        Keys.onDeletePressed: dialog.removeSelected()
                        Keys.onPressed: function(event) {
                            if (event.key === Qt.Key_Home)
                                dialog.selectedRule = dialog.rules.length > 0 ? 0 : -1
                            else if (event.key === Qt.Key_End)
                                dialog.selectedRule = dialog.rules.length - 1
                            else
                                return
                            event.accepted = true
                        }
                        onActiveFocusChanged: if (activeFocus && dialog.selectedRule < 0 && dialog.rules.length > 0) dialog.selectedRule = 0
                        delegate: Rectangle {
                            id: ruleRow
                            required property int index
                            required property var modelData
                            readonly property bool missing: dialog.profileName(Number(modelData.profile)) === ""
                            objectName: "ruleRow" + index
                            width: rulesList.width
                            height: 32
                            color: index === dialog.selectedRule ? "#2e2a24" : ruleArea.containsMouse ? "#26272c" : "transparent"
                            Accessible.role: Accessible.ListItem
                            Accessible.name: [modelData.program, dialog.matchText(modelData.match),
                                              dialog.profileText(Number(modelData.profile))].join(", ")
                            Accessible.selectable: true
                            Accessible.selected: index === dialog.selectedRule
                            Accessible.onPressAction: dialog.selectedRule = index
                            Row {
                                x: 8
                                anchors.verticalCenter: parent.verticalCenter
                                Repeater {
                                    model: [[String(ruleRow.modelData.program), 220, false],
                                            [dialog.matchText(ruleRow.modelData.match), 140, false],
                                            [dialog.profileText(Number(ruleRow.modelData.profile)), rulesList.width - 8 - 360, ruleRow.missing]]
                                    delegate: Text {
                                        required property var modelData
                                        width: modelData[1]
                                        rightPadding: 8
                                        text: modelData[0]
                                        elide: Text.ElideRight
                                        color: modelData[2] ? mainIten.colorAccent : mainIten.fontColor
                                        font.family: mainIten.fontFamily
                                        font.pixelSize: mainIten.fontNormalSize
                                    }
                                }
                            }
                            MouseArea {
                                id: ruleArea
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: dialog.selectedRule = ruleRow.index
                            }
                        }
                        FocusRing { margin: 1 }
                    }
                    Text {
                        objectName: "programRulesEmpty"
                        visible: dialog.rules.length === 0
                        anchors.centerIn: parent
                        width: parent.width - 40
                        horizontalAlignment: Text.AlignHCenter
                        wrapMode: Text.WordWrap
                        text: dialog.tr(27)
                        color: mainIten.colorGray2
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontMinSize + 1
                    }
                    // The wheel scrolls a long list.
                    MouseArea {
                        anchors.fill: parent
                        acceptedButtons: Qt.NoButton
                        onWheel: function(wheel) { rulesList.flick(0, wheel.angleDelta.y * 8) }
                    }
                }
                Text {
                    id: messageText
                    objectName: "programRulesMessage"
                    y: rulesFrame.y + rulesFrame.height + 6
                    width: parent.width
                    height: dialog.message !== "" ? implicitHeight : 0
                    wrapMode: Text.WordWrap
                    text: dialog.message
                    color: mainIten.colorAccent
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMinSize + 1
                }
                Row {
                    id: buttons
                    anchors.left: parent.left
                    anchors.bottom: parent.bottom
                    spacing: 12
                    TextButton {
                        id: addButton
                        objectName: "addRuleButton"
                        minimumWidth: 100
                        text: dialog.tr(7)
                        onClicked: dialog.openAdd(activeFocus)
                        Connections {
                            target: addButtonFocus
                            function onFocusAdd() { addButton.forceActiveFocus(Qt.TabFocusReason) }
                        }
                    }
                    TextButton {
                        objectName: "removeRuleButton"
                        minimumWidth: 100
                        text: dialog.tr(8)
                        opacity: dialog.selectedRule >= 0 ? 1 : 0.4
                        onClicked: dialog.removeSelected()
                    }
                }
                TextButton {
                    objectName: "closeProgramRulesButton"
                    minimumWidth: 100
                    anchors.right: parent.right
                    anchors.bottom: parent.bottom
                    text: dialog.tr(9)
                    onClicked: dialog.close()
                }
            }

            // "Add": over the rules while open; the rest of the dialog rests.
            Rectangle {
                id: addPanel
                objectName: "addRulePanel"
                visible: dialog.addOpen
                anchors.fill: parent
                anchors.margins: -8
                radius: 4
                color: "#141518"
                border.color: mainIten.colorPrimary
                onVisibleChanged: {
                    if (!visible)
                        return
                    if (dialog.addByKey && dialog.windows.length > 0)
                        windowList.forceActiveFocus(Qt.TabFocusReason)
                    else
                        programField.forceActiveFocus(Qt.TabFocusReason)
                }
                MouseArea { anchors.fill: parent; acceptedButtons: Qt.AllButtons }

                Item {
                    anchors.fill: parent
                    anchors.margins: 14
                    Text {
                        id: addTitle
                        text: dialog.tr(29)
                        color: mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontMaxSize
                    }
                    Text {
                        id: windowsCaption
                        y: addTitle.height + 8
                        text: dialog.tr(13)
                        color: mainIten.colorGray2
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontMinSize + 1
                    }
                    Rectangle {
                        id: windowFrame
                        y: windowsCaption.y + windowsCaption.height + 4
                        width: parent.width
                        height: 5 * 32 + 4
                        radius: 3
                        color: "#17181b"
                        border.color: mainIten.colorGray1
                        ListView {
                            id: windowList
                            objectName: "windowList"
                            anchors.fill: parent
                            anchors.margins: 2
                            clip: true
                            model: dialog.windows
                            currentIndex: dialog.windowIndex
                            activeFocusOnTab: mainIten.keyReachable(windowList) && dialog.windows.length > 0
                            Accessible.role: Accessible.List
                            Accessible.name: dialog.tr(13)
                            Accessible.focusable: true
                            Keys.onUpPressed: dialog.pickWindow(Math.max(0, dialog.windowIndex - 1))
                            Keys.onDownPressed: dialog.pickWindow(Math.min(dialog.windows.length - 1, dialog.windowIndex + 1))
                            Keys.onReturnPressed: dialog.confirmAdd()
                            Keys.onEnterPressed: dialog.confirmAdd()
                            delegate: Rectangle {
                                id: windowRow
                                required property int index
                                required property var modelData
                                readonly property string shownName: String(modelData.title || modelData["class"] || modelData.executable)
                                readonly property string detail: String(modelData.executable || modelData["class"] || "")
                                objectName: "windowRow" + index
                                width: windowList.width
                                height: 32
                                color: index === dialog.windowIndex ? "#2e2a24" : windowArea.containsMouse ? "#26272c" : "transparent"
                                Accessible.role: Accessible.ListItem
                                Accessible.name: shownName + (detail !== "" && detail !== shownName ? ", " + detail : "")
                                Accessible.selectable: true
                                Accessible.selected: index === dialog.windowIndex
                                Accessible.onPressAction: dialog.pickWindow(index)
                                // The program's icon where the desktop's icon theme has one.
                                Image {
                                    id: icon
                                    x: 8
                                    width: 20
                                    height: 20
                                    anchors.verticalCenter: parent.verticalCenter
                                    sourceSize: Qt.size(20, 20)
                                    source: String(windowRow.modelData.icon || "") !== "" ? "image://theme/" + windowRow.modelData.icon : ""
                                }
                                Text {
                                    x: 36
                                    width: parent.width - 44
                                    anchors.verticalCenter: parent.verticalCenter
                                    elide: Text.ElideRight
                                    textFormat: Text.PlainText
                                    text: windowRow.shownName + (windowRow.detail !== "" && windowRow.detail !== windowRow.shownName
                                                                 ? "  \u2013  " + windowRow.detail : "")
                                    color: windowRow.index === dialog.windowIndex ? mainIten.colorPrimary : mainIten.fontColor
                                    font.family: mainIten.fontFamily
                                    font.pixelSize: mainIten.fontNormalSize
                                }
                                MouseArea {
                                    id: windowArea
                                    anchors.fill: parent
                                    hoverEnabled: true
                                    onClicked: dialog.pickWindow(windowRow.index)
                                    onDoubleClicked: dialog.confirmAdd()
                                }
                            }
                            FocusRing { margin: 1 }
                        }
                        Text {
                            objectName: "noWindows"
                            visible: dialog.windows.length === 0
                            anchors.centerIn: parent
                            width: parent.width - 40
                            horizontalAlignment: Text.AlignHCenter
                            wrapMode: Text.WordWrap
                            text: dialog.tr(17)
                            color: mainIten.colorGray2
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMinSize + 1
                        }
                    }

                    Grid {
                        id: addFields
                        y: windowFrame.y + windowFrame.height + 14
                        columns: 2
                        columnSpacing: 12
                        rowSpacing: 10
                        verticalItemAlignment: Grid.AlignVCenter
                        Text {
                            text: dialog.tr(14)
                            color: mainIten.colorGray3
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMinSize + 2
                        }
                        Rectangle {
                            width: 320
                            height: 28
                            radius: 3
                            color: "#1f2024"
                            border.color: programField.activeFocus ? mainIten.colorPrimary : mainIten.colorGray1
                            TextInput {
                                id: programField
                                objectName: "programNameInput"
                                anchors.fill: parent
                                leftPadding: 8
                                rightPadding: 8
                                verticalAlignment: TextInput.AlignVCenter
                                clip: true
                                text: dialog.addProgram
                                color: mainIten.fontColor
                                selectionColor: mainIten.colorPrimary
                                font.family: mainIten.fontFamily
                                font.pixelSize: mainIten.fontNormalSize
                                activeFocusOnTab: mainIten.keyReachable(programField)
                                Accessible.role: Accessible.EditableText
                                Accessible.name: dialog.tr(14)
                                Accessible.focusable: true
                                onTextEdited: { dialog.addProgram = text; dialog.windowIndex = -1; dialog.addMessage = "" }
                                onAccepted: dialog.confirmAdd()
                                Connections {
                                    target: dialog
                                    function onAddProgramChanged() {
                                        if (programField.text !== dialog.addProgram)
                                            programField.text = dialog.addProgram
                                    }
                                }
                            }
                            FocusRing { visible: programField.activeFocus }
                        }
                        Text {
                            text: dialog.tr(15)
                            color: mainIten.colorGray3
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMinSize + 2
                        }
                        DropDown {
                            objectName: "matchDropDown"
                            width: 200
                            z: 61
                            model: [dialog.tr(11), dialog.tr(12)]
                            currentIndex: dialog.addMatch
                            accessibleName: dialog.tr(15)
                            onActivated: function(index) { dialog.setAddMatch(index) }
                        }
                        Text {
                            text: dialog.tr(6)
                            color: mainIten.colorGray3
                            font.family: mainIten.fontFamily
                            font.pixelSize: mainIten.fontMinSize + 2
                        }
                        DropDown {
                            objectName: "ruleProfileDropDown"
                            width: 200
                            z: 60
                            model: dialog.profileNames
                            currentIndex: dialog.addProfileIndex
                            accessibleName: dialog.tr(6)
                            onActivated: function(index) { dialog.addProfileIndex = index }
                        }
                    }
                    Text {
                        objectName: "addRuleMessage"
                        y: addFields.y + addFields.height + 12
                        width: parent.width
                        wrapMode: Text.WordWrap
                        text: dialog.addMessage
                        color: mainIten.colorAccent
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontMinSize + 1
                    }
                    Row {
                        id: addButtons
                        anchors.right: parent.right
                        anchors.bottom: parent.bottom
                        spacing: 12
                        TextButton {
                            objectName: "addRuleOk"
                            minimumWidth: 100
                            text: dialog.tr(7)
                            onClicked: dialog.confirmAdd()
                        }
                        TextButton {
                            objectName: "addRuleCancel"
                            minimumWidth: 100
                            text: dialog.tr(16)
                            onClicked: dialog.closeAdd()
                        }
                    }
                }
            }
        }
    }
}

import QtQuick
import "../common"
import "../common/Values.js" as Values

// Macro key dialog: picks a macro of the library and its run mode for a
// button. The texts are those of the group "keyAssigment".
DialogFrame {
    id: dialog
    // Button (0-based) the dialog assigns to.
    property int buttonIndex: -1
    // Rows of the library tree, folders before their content:
    // {name, type (0 macro, 1 folder), level, chain (names of the folders above)}.
    property var rows: []
    property int selectedRow: -1
    property int runMode: 0
    readonly property var lang: keyAssigmentDialog.keyAssigmentLang

    title: Values.at(lang, 9)
    width: 560
    height: 480
    onCloseRequested: cancel()

    // A list from the name index without the one-item sentinel.
    function cleanList(v) {
        var list = Values.toList(v)
        if (list.length === 2 && list[1] === "emptyslotkey")
            list.pop()
        return list
    }

    // Read the library tree from the name index: folders sit in levels 0
    // to 4, so entries reach level 5.
    function readTree() {
        var out = []
        ui_View.setMacroLevel(0)
        var names = cleanList(ui_View.getNameList(0))
        var types = cleanList(ui_View.getMacroList_Att(0))
        appendLevel(out, names, types, 0, [])
        return out
    }

    function appendLevel(out, names, types, level, chain) {
        for (var i = 0; i < names.length; ++i) {
            var isFolder = Values.toInt(types[i], 0) === 1
            out.push({ name: names[i], type: isFolder ? 1 : 0, level: level, chain: chain.slice() })
            if (isFolder && level < 5) {
                var sel = chain.concat(["", "", "", "", ""])
                ui_View.setMacroSelectName(sel[0], sel[1], sel[2], sel[3], sel[4])
                ui_View.setMacroLevel(level + 1)
                var subNames = cleanList(ui_View.getMacroSubList_Att(4, names[i]))
                var subTypes = cleanList(ui_View.getMacroSubList_Att(0, names[i]))
                appendLevel(out, subNames, subTypes, level + 1, chain.concat([names[i]]))
            }
        }
    }

    function open(button, code) {
        buttonIndex = button
        rows = readTree()
        selectedRow = -1
        var c = code || []
        // A button without a macro starts from the run mode chosen in the macro editor.
        runMode = Number(c[0]) === 4 && Number(c[1]) >= 0 && Number(c[1]) <= 2 ? Number(c[1])
                : (mainIten.macroEditor ? mainIten.macroEditor.runMode : 0)
        mainIten.showDialog(dialog)
    }

    function selectByName(name) {
        for (var i = 0; i < rows.length; ++i) {
            if (rows[i].type === 0 && rows[i].name === name) {
                selectedRow = i
                return true
            }
        }
        return false
    }

    function accept() {
        if (selectedRow < 0 || selectedRow >= rows.length || rows[selectedRow].type !== 0) {
            warningDialog.show(Values.at(warningDialog.warningAssigmentLang, 4))
            return false
        }
        var entry = rows[selectedRow]
        var button = buttonIndex
        mainIten.hideDialog(dialog)
        keyMatrixPage.assignMacro(button, runMode, entry)
        return true
    }

    function cancel() { mainIten.hideDialog(dialog) }

    // Move the selection over `count` macro rows (folders are passed over).
    function moveSelection(count) {
        var step = count < 0 ? -1 : 1
        var at = selectedRow
        for (var n = 0; n < Math.abs(count); ++n) {
            var next = -1
            for (var i = at + step; i >= 0 && i < rows.length; i += step) {
                if (rows[i].type === 0) {
                    next = i
                    break
                }
            }
            if (next < 0)
                break
            at = next
        }
        if (at >= 0)
            selectedRow = at
    }

    Text {
        id: libraryCaption
        text: Values.at(dialog.lang, 56)
        color: mainIten.colorGray3
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    Rectangle {
        id: treeFrame
        y: 26
        width: parent.width
        height: 210
        radius: 3
        color: "#141518"
        border.color: mainIten.colorGray1
        clip: true
        FocusRing { visible: tree.activeFocus; margin: -1 }
        // By keys the library is one stop: Up/Down, Page Up/Down and
        // Home/End select a macro (folders are passed over), Return assigns it.
        ListView {
            id: tree
            objectName: "macroTree"
            activeFocusOnTab: mainIten.keyReachable(tree)
            Accessible.role: Accessible.List
            Accessible.name: Values.at(dialog.lang, 56)
            Accessible.focusable: true
            // The selected macro is the list's current item: it holds the
            // keys for assistive technology, and the view keeps it in sight.
            // (The view makes its first row current when rows arrive: undone.)
            Connections {
                target: dialog
                function onSelectedRowChanged() { tree.currentIndex = dialog.selectedRow }
            }
            onCurrentIndexChanged: if (currentIndex !== dialog.selectedRow) currentIndex = dialog.selectedRow
            Keys.onPressed: function(event) {
                var steps = {}
                steps[Qt.Key_Up] = -1; steps[Qt.Key_Down] = 1
                steps[Qt.Key_PageUp] = -5; steps[Qt.Key_PageDown] = 5
                steps[Qt.Key_Home] = -dialog.rows.length; steps[Qt.Key_End] = dialog.rows.length
                if (steps[event.key] !== undefined) {
                    dialog.moveSelection(steps[event.key])
                } else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
                    dialog.accept()
                } else {
                    return
                }
                event.accepted = true
            }
            anchors.fill: parent
            anchors.margins: 4
            model: dialog.rows
            boundsBehavior: Flickable.StopAtBounds
            delegate: Rectangle {
                required property int index
                required property var modelData
                objectName: "macroRow_" + modelData.name
                // Only the selected macro holds the list's keys (none at first).
                focus: ListView.isCurrentItem
                Accessible.role: Accessible.ListItem
                Accessible.name: modelData.name
                Accessible.selectable: modelData.type === 0
                Accessible.selected: index === dialog.selectedRow
                Accessible.onPressAction: if (modelData.type === 0) dialog.selectedRow = index
                width: tree.width
                height: 26
                radius: 2
                color: index === dialog.selectedRow ? "#3a2e1e" : rowArea.containsMouse ? "#24252a" : "transparent"
                Text {
                    x: 8 + modelData.level * 18
                    anchors.verticalCenter: parent.verticalCenter
                    text: (modelData.type === 1 ? "\u25BE  " : "\u2022  ") + modelData.name
                    color: modelData.type === 1 ? mainIten.colorGray2
                           : index === dialog.selectedRow ? mainIten.colorPrimary : mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        if (modelData.type === 0)
                            dialog.selectedRow = index
                    }
                    onDoubleClicked: {
                        if (modelData.type === 0) {
                            dialog.selectedRow = index
                            dialog.accept()
                        }
                    }
                }
            }
        }
    }
    // An empty library: say where macros are made.
    Text {
        objectName: "emptyLibraryHint"
        visible: dialog.rows.length === 0
        x: treeFrame.x + 24
        width: treeFrame.width - 48
        y: treeFrame.y + (treeFrame.height - height) / 2
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        text: Values.at(dialog.lang, 59).replace("%1", Values.at(keyMatrixPage.keyMatrixLang, 19))
        color: mainIten.colorGray2
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    Text {
        id: modeCaption
        y: treeFrame.y + treeFrame.height + 12
        text: Values.at(dialog.lang, 57)
        color: mainIten.colorGray3
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    Column {
        y: modeCaption.y + 26
        spacing: 6
        Repeater {
            model: 3
            delegate: Item {
                required property int index
                id: modeItem
                objectName: "runMode" + index
                activeFocusOnTab: mainIten.keyReachable(modeItem)
                Accessible.role: Accessible.RadioButton
                Accessible.name: Values.at(dialog.lang, 46 + index)
                Accessible.focusable: true
                Accessible.checkable: true
                Accessible.checked: dialog.runMode === index
                Accessible.onPressAction: dialog.runMode = index
                Keys.onSpacePressed: dialog.runMode = index
                Keys.onReturnPressed: dialog.runMode = index
                Keys.onEnterPressed: dialog.runMode = index
                width: dialog.width - 48
                height: 22
                Rectangle {
                    width: 16
                    height: 16
                    radius: 8
                    anchors.verticalCenter: parent.verticalCenter
                    color: "#1f2024"
                    border.color: dialog.runMode === index || modeArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray6
                    Rectangle {
                        anchors.centerIn: parent
                        width: 8
                        height: 8
                        radius: 4
                        visible: dialog.runMode === index
                        color: mainIten.colorPrimary
                    }
                }
                Text {
                    id: modeLabel
                    x: 26
                    anchors.verticalCenter: parent.verticalCenter
                    text: Values.at(dialog.lang, 46 + index)
                    color: dialog.runMode === index ? mainIten.fontColor : mainIten.colorGray2
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMinSize + 2
                }
                FocusRing { anchors.fill: modeLabel; anchors.leftMargin: -30 }
                MouseArea {
                    id: modeArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dialog.runMode = index
                }
            }
        }
    }
    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        spacing: 16
        TextButton {
            objectName: "macroDialogOk"
            text: Values.at(dialog.lang, 53)
            onClicked: dialog.accept()
        }
        TextButton {
            objectName: "macroDialogCancel"
            text: Values.at(dialog.lang, 54)
            onClicked: dialog.cancel()
        }
    }
}

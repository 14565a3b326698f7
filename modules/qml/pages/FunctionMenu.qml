import QtQuick
import "../common/Values.js" as Values
import "ButtonFunctions.js" as Functions

// The button function menu of one button: the five mouse functions and the
// sub-menus. Hovering a sub-menu opens its items beside it; the fire, group
// and macro rows open their dialogs.
Item {
    id: menu
    property int mode: 0
    property var texts: []
    // The entry's code, marked in the list.
    property var currentCode: []
    readonly property var rows: Functions.rowsFor(mode)
    property int openRow: -1
    property int rowHeight: 26
    // A plain item was chosen.
    signal itemChosen(var code)
    // A dialog row was chosen: "fire", "group" or "macro".
    signal dialogChosen(string kind)
    // Escape on the menu itself (not in a sub-menu) while it has the keys.
    signal dismissed()
    // The rows the keyboard points at: keyRow in the menu, keySubRow in the
    // open sub-menu (-1 while the keys are in the menu).
    property int keyRow: -1
    property int keySubRow: -1

    // Keys: Up/Down move, Right (or Return/Space on a sub-menu row) opens the
    // sub-menu, Left leaves it, Return/Space choose, Escape closes the
    // sub-menu first, then the menu.
    function takeKeys() {
        keyRow = 0
        keySubRow = -1
        forceActiveFocus()
    }
    function chooseRow(row) {
        if (!row.kind)
            itemChosen(row.code)
        else if (row.kind === "list")
            enterSub()
        else
            dialogChosen(row.kind)
    }
    function enterSub() {
        if (keyRow >= 0 && rows[keyRow].kind === "list") {
            openRow = keyRow
            keySubRow = 0
        }
    }
    Keys.onPressed: function(event) {
        var inSub = keySubRow >= 0
        var count = inSub ? sub.items.length : rows.length
        var at = inSub ? keySubRow : keyRow
        if (event.key === Qt.Key_Up || event.key === Qt.Key_Down) {
            at = Math.max(0, Math.min(count - 1, at + (event.key === Qt.Key_Up ? -1 : 1)))
            if (inSub)
                keySubRow = at
            else
                keyRow = at
        } else if (event.key === Qt.Key_Right && !inSub) {
            enterSub()
        } else if (event.key === Qt.Key_Left && inSub) {
            keySubRow = -1
            openRow = -1
        } else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
            if (inSub)
                itemChosen(sub.items[keySubRow].code)
            else if (keyRow >= 0)
                chooseRow(rows[keyRow])
        } else if (event.key === Qt.Key_Escape) {
            if (inSub) {
                keySubRow = -1
                openRow = -1
            } else {
                dismissed()
            }
        } else {
            return
        }
        event.accepted = true
    }

    width: 200
    height: main.height

    function close() {
        openRow = -1
        keyRow = -1
        keySubRow = -1
        visible = false
    }

    Rectangle {
        id: main
        width: menu.width
        height: column.height + 6
        radius: 3
        color: "#1f2024"
        border.color: mainIten.colorGray1
        Column {
            id: column
            x: 3
            y: 3
            width: parent.width - 6
            Repeater {
                model: menu.rows
                delegate: Rectangle {
                    required property int index
                    required property var modelData
                    readonly property bool isSub: modelData.kind !== undefined
                    readonly property bool marked: modelData.code ? Functions.sameCode(modelData.code, menu.currentCode)
                                                   : Number(menu.currentCode[0]) === modelData.category
                    objectName: "menuRow" + index
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: Values.at(menu.texts, modelData.text)
                    Accessible.onPressAction: {
                        menu.keyRow = index
                        menu.chooseRow(modelData)
                    }
                    width: column.width
                    height: menu.rowHeight
                    color: rowArea.containsMouse || menu.openRow === index || menu.keyRow === index ? "#2e2a24" : "transparent"
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: Values.at(menu.texts, modelData.text)
                        color: marked || rowArea.containsMouse || menu.openRow === index ? mainIten.colorPrimary : mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    Text {
                        visible: modelData.kind === "list"
                        anchors.right: parent.right
                        anchors.rightMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        text: "\u25B8"
                        color: mainIten.colorGray2
                        font.pixelSize: 12
                    }
                    Text {
                        visible: modelData.kind !== undefined && modelData.kind !== "list"
                        anchors.right: parent.right
                        anchors.rightMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        text: "\u2026"
                        color: mainIten.colorGray2
                        font.pixelSize: 12
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onEntered: menu.openRow = modelData.kind === "list" ? index : -1
                        onClicked: {
                            if (!modelData.kind)
                                menu.itemChosen(modelData.code)
                            else if (modelData.kind === "list")
                                menu.openRow = index
                            else
                                menu.dialogChosen(modelData.kind)
                        }
                    }
                }
            }
        }
    }

    Rectangle {
        id: sub
        objectName: "subMenu"
        readonly property var items: menu.openRow >= 0 && menu.openRow < menu.rows.length && menu.rows[menu.openRow].items
                                     ? menu.rows[menu.openRow].items : []
        visible: items.length > 0
        x: main.width - 2
        y: Math.max(0, Math.min(3 + menu.openRow * menu.rowHeight, main.height - height))
        width: 170
        height: subColumn.height + 6
        radius: 3
        color: "#24252a"
        border.color: mainIten.colorPrimary
        Column {
            id: subColumn
            x: 3
            y: 3
            width: parent.width - 6
            Repeater {
                model: sub.items
                delegate: Rectangle {
                    required property int index
                    required property var modelData
                    objectName: "subRow" + index
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: Values.at(menu.texts, modelData.text)
                    Accessible.onPressAction: menu.itemChosen(modelData.code)
                    width: subColumn.width
                    height: menu.rowHeight
                    color: subArea.containsMouse || menu.keySubRow === index ? "#3a2e1e" : "transparent"
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: Values.at(menu.texts, modelData.text)
                        color: Functions.sameCode(modelData.code, menu.currentCode) || subArea.containsMouse
                               ? mainIten.colorPrimary : mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    MouseArea {
                        id: subArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: menu.itemChosen(modelData.code)
                    }
                }
            }
        }
    }
}

import QtQuick

// A drop-down list: the chosen item and an arrow; the list opens below.
// mainFocus() of the scene closes it. It only shows `currentIndex`: a choice
// is reported through `activated` and the owner updates its data, which the
// binding of `currentIndex` then shows.
Item {
    id: dropDown
    property var model: []
    property int currentIndex: -1
    property bool isOpen: false
    readonly property string currentText: currentIndex >= 0 && currentIndex < model.length ? String(model[currentIndex]) : ""
    property int rowHeight: 28
    // A long list opens in this many columns (filled top to bottom), so it
    // stays inside a small dialog.
    property int columns: 1
    readonly property int itemCount: model ? model.length : 0
    // What the list chooses, for assistive technology (the visible label
    // sits beside the control, or there is none).
    property string accessibleName: ""
    // The row the keyboard points at while the list is open.
    property int keyIndex: -1
    // Rows one Page Up/Down moves over.
    property int pageRows: 5
    readonly property int rowsPerColumn: Math.max(1, Math.ceil(itemCount / Math.max(1, columns)))
    readonly property string listName: accessibleName !== "" ? accessibleName : currentText
    signal activated(int index)

    function close() {
        isOpen = false
        openedByKey = false
    }
    // A list opened by keys closes when Tab takes the keys elsewhere.
    property bool openedByKey: false
    onActiveFocusChanged: if (!activeFocus && openedByKey) close()

    // Keys: closed, Up/Down/Page Up/Page Down/Home/End choose at once as the
    // pointer does; Space or Return opens the list, where the same keys move
    // (Left/Right by a column in a list of several columns) and Space or
    // Return choose; Escape closes the open list only.
    function choose(index) {
        var i = Math.max(0, Math.min(itemCount - 1, index))
        if (i !== currentIndex && i >= 0)
            activated(i)
    }
    function openByKey() {
        mainIten.mainFocus()
        isOpen = true
        keyIndex = currentIndex
        forceActiveFocus()
        openedByKey = true
    }
    function moveBy(delta) {
        if (isOpen)
            keyIndex = Math.max(0, Math.min(itemCount - 1, keyIndex + delta))
        else
            choose(currentIndex + delta)
    }
    function confirmKey() {
        if (!isOpen) {
            openByKey()
            return
        }
        close()
        if (keyIndex >= 0 && keyIndex !== currentIndex)
            activated(keyIndex)
    }
    activeFocusOnTab: mainIten.keyReachable(dropDown)
    Accessible.role: Accessible.ComboBox
    Accessible.name: accessibleName !== "" ? accessibleName + ": " + currentText : currentText
    Accessible.description: currentText
    Accessible.focusable: true
    Accessible.onPressAction: isOpen ? close() : openByKey()
    Keys.onUpPressed: moveBy(-1)
    Keys.onDownPressed: moveBy(1)
    Keys.onLeftPressed: moveBy(isOpen && columns > 1 ? -rowsPerColumn : -1)
    Keys.onRightPressed: moveBy(isOpen && columns > 1 ? rowsPerColumn : 1)
    Keys.onPressed: function(event) {
        if (event.key === Qt.Key_Home) {
            moveBy(-itemCount)
        } else if (event.key === Qt.Key_End) {
            moveBy(itemCount)
        } else if (event.key === Qt.Key_PageUp) {
            moveBy(-pageRows)
        } else if (event.key === Qt.Key_PageDown) {
            moveBy(pageRows)
        } else if (event.key === Qt.Key_Space || event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
            confirmKey()
        } else if (event.key === Qt.Key_Escape && isOpen) {
            close()
        } else {
            return
        }
        event.accepted = true
    }

    implicitWidth: 180
    implicitHeight: 28
    z: isOpen ? 50 : 0

    Rectangle {
        id: field
        anchors.fill: parent
        radius: 3
        color: fieldArea.pressed ? "#2e2a24" : "#1f2024"
        border.color: dropDown.isOpen || fieldArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray1
        Text {
            anchors.left: parent.left
            anchors.leftMargin: 10
            anchors.right: arrow.left
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            text: dropDown.currentText
            elide: Text.ElideRight
            color: mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        SvgImage {
            id: arrow
            width: 12
            height: 8
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            rotation: dropDown.isOpen ? 180 : 0
            source: mainIten.skinImage("index", fieldArea.containsMouse || dropDown.isOpen ? "arrowDownH.svg" : "arrowDown.svg")
        }
        MouseArea {
            id: fieldArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                if (dropDown.isOpen) {
                    dropDown.close()
                } else {
                    mainIten.mainFocus()
                    dropDown.isOpen = true
                }
            }
        }
    }

    FocusRing {}

    // The open list as assistive technology sees it: a list of items, the
    // current choice selected, the row the keys point at focused.
    Rectangle {
        id: list
        visible: dropDown.isOpen
        Accessible.role: Accessible.List
        Accessible.name: dropDown.listName
        y: dropDown.height + 2
        width: column.width + 4
        height: column.height + 4
        radius: 3
        color: "#1f2024"
        border.color: mainIten.colorGray1
        Grid {
            id: column
            x: 2
            y: 2
            flow: Grid.TopToBottom
            rows: Math.max(1, Math.ceil(dropDown.itemCount / Math.max(1, dropDown.columns)))
            Repeater {
                model: dropDown.model
                delegate: Rectangle {
                    required property int index
                    required property var modelData
                    Accessible.role: Accessible.ListItem
                    Accessible.name: String(modelData)
                    Accessible.selectable: true
                    Accessible.selected: index === dropDown.currentIndex
                    Accessible.focused: index === dropDown.keyIndex
                    Accessible.onPressAction: {
                        dropDown.close()
                        dropDown.activated(index)
                    }
                    width: dropDown.width - 4
                    height: dropDown.rowHeight
                    color: rowArea.containsMouse || index === dropDown.keyIndex ? "#2e2a24" : "transparent"
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        text: String(modelData)
                        color: index === dropDown.currentIndex || rowArea.containsMouse ? mainIten.colorPrimary : mainIten.fontColor
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontNormalSize
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            dropDown.close()
                            dropDown.activated(index)
                        }
                    }
                }
            }
        }
    }

    Connections {
        target: mainIten
        function onClickMainFocus() { dropDown.close() }
    }
}

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
    signal activated(int index)

    function close() { isOpen = false }

    // Keys: closed, Up/Down/Home/End choose at once as the pointer does;
    // Space or Return opens the list, where Up/Down move and Space or Return
    // choose; Escape closes the open list only.
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
    Keys.onLeftPressed: moveBy(-1)
    Keys.onRightPressed: moveBy(1)
    Keys.onPressed: function(event) {
        if (event.key === Qt.Key_Home) {
            moveBy(-itemCount)
        } else if (event.key === Qt.Key_End) {
            moveBy(itemCount)
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

    Rectangle {
        id: list
        visible: dropDown.isOpen
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

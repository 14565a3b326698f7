import QtQuick
import "../common"

// A context menu: a column of texts opened at a point; choosing an item
// emits its index. Disabled items are drawn grey and do nothing. Any click
// outside it (the frame's mainFocus) closes it.
//
// Opened from the keyboard (openByKeys) it takes the keys: Up/Down (Home/
// End) move over the usable items, Space/Return choose, Escape closes, and
// the keys go back to the control that opened it.
Rectangle {
    id: menu
    property var items: []
    property var enabledItems: []
    // The item the keys are on, -1 when opened by the pointer.
    property int keyIndex: -1
    // Where the keys go back to when a keyboard-opened menu closes.
    property var keyOwner: null
    // Whether the item last chosen was chosen from the keyboard.
    property bool chosenByKeys: false
    signal chosen(int index)

    function openAt(px, py) {
        mainIten.mainFocus()
        keyIndex = -1
        keyOwner = null
        x = Math.max(0, Math.min(px, parent.width - width))
        y = Math.max(0, Math.min(py, parent.height - height))
        visible = true
    }
    function openByKeys(px, py, owner) {
        openAt(px, py)
        keyOwner = owner
        keyIndex = nextUsable(-1, 1)
        forceActiveFocus(Qt.TabFocusReason)
    }
    function close() {
        visible = false
        var owner = keyOwner
        keyOwner = null
        keyIndex = -1
        if (owner && owner.visible)
            owner.forceActiveFocus(Qt.TabFocusReason)
    }
    function isItemEnabled(i) {
        return i >= enabledItems.length || enabledItems[i] !== false
    }
    // The next usable item from `from` in direction step, or `from` when none.
    function nextUsable(from, step) {
        for (var i = from + step; i >= 0 && i < items.length; i += step) {
            if (isItemEnabled(i))
                return i
        }
        return from
    }
    function choose(i) {
        if (i < 0 || !isItemEnabled(i))
            return
        chosenByKeys = keyOwner !== null
        close()
        chosen(i)
    }

    Accessible.role: Accessible.PopupMenu
    Keys.onUpPressed: keyIndex = nextUsable(keyIndex, -1)
    Keys.onDownPressed: keyIndex = nextUsable(keyIndex, 1)
    Keys.onPressed: function(event) {
        if (event.key === Qt.Key_Home)
            keyIndex = nextUsable(-1, 1)
        else if (event.key === Qt.Key_End)
            keyIndex = nextUsable(items.length, -1)
        else if (event.key === Qt.Key_Space || event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
            choose(keyIndex)
        else if (event.key === Qt.Key_Escape)
            close()
        else
            return
        event.accepted = true
    }

    visible: false
    z: 60
    width: 230
    height: column.height + 8
    radius: 3
    color: "#1f2024"
    border.color: mainIten.colorGray1

    Connections {
        target: mainIten
        // A click elsewhere: the focus stays where the click put it.
        function onClickMainFocus() {
            menu.keyOwner = null
            menu.close()
        }
    }
    Column {
        id: column
        x: 2
        y: 4
        width: menu.width - 4
        Repeater {
            model: menu.items
            delegate: Rectangle {
                required property int index
                required property var modelData
                readonly property bool usable: menu.isItemEnabled(index)
                objectName: "menuItem" + index
                width: column.width
                height: 28
                Accessible.role: Accessible.MenuItem
                Accessible.name: String(modelData)
                Accessible.onPressAction: menu.choose(index)
                color: (rowArea.containsMouse || menu.keyIndex === index) && usable ? "#2e2a24" : "transparent"
                Text {
                    id: itemText
                    anchors.left: parent.left
                    anchors.leftMargin: 14
                    anchors.verticalCenter: parent.verticalCenter
                    text: String(modelData)
                    color: !usable ? mainIten.colorGray6
                           : rowArea.containsMouse || menu.keyIndex === index ? mainIten.colorPrimary : mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize - 1
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menu.choose(index)
                }
            }
        }
    }
}

import QtQuick

// A context menu: a column of texts opened at a point; choosing an item
// emits its index. Disabled items are drawn grey and do nothing. Any click
// outside it (the frame's mainFocus) closes it.
Rectangle {
    id: menu
    property var items: []
    property var enabledItems: []
    signal chosen(int index)

    function openAt(px, py) {
        mainIten.mainFocus()
        x = Math.max(0, Math.min(px, parent.width - width))
        y = Math.max(0, Math.min(py, parent.height - height))
        visible = true
    }
    function close() { visible = false }
    function isItemEnabled(i) {
        return i >= enabledItems.length || enabledItems[i] !== false
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
        function onClickMainFocus() { menu.close() }
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
                color: rowArea.containsMouse && usable ? "#2e2a24" : "transparent"
                Text {
                    id: itemText
                    anchors.left: parent.left
                    anchors.leftMargin: 14
                    anchors.verticalCenter: parent.verticalCenter
                    text: String(modelData)
                    color: !usable ? mainIten.colorGray6
                           : rowArea.containsMouse ? mainIten.colorPrimary : mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize - 1
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        if (!usable)
                            return
                        menu.close()
                        menu.chosen(index)
                    }
                }
            }
        }
    }
}

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
    signal activated(int index)

    function close() { isOpen = false }

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
                    color: rowArea.containsMouse ? "#2e2a24" : "transparent"
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

import QtQuick

// The frame of a modal dialog: background art, title, close cross, and
// dragging by the background, kept inside the window.
PageBase {
    id: dialog
    property string title: ""
    property bool showClose: true
    default property alias content: body.data
    // Content made when the dialog is first shown, and kept: a dialog whose
    // data must serve while it is closed keeps the data outside it.
    property Component deferredContent: null
    property bool contentMade: false
    onVisibleChanged: if (visible) contentMade = true
    signal closeRequested()
    // Escape closes what is open inside the dialog (a menu, a question)
    // before the dialog itself; true when there was something to close.
    // By default that is a drop-down list the pointer opened (one opened by
    // keys takes Escape itself).
    function closeInner() { return closeOpenList(body) }
    function closeOpenList(item) {
        for (var i = 0; i < item.children.length; ++i) {
            var c = item.children[i]
            if (!c.visible)
                continue
            if (c.isOpen === true && typeof c.close === "function") {
                c.close()
                return true
            }
            if (closeOpenList(c))
                return true
        }
        return false
    }

    width: 520
    height: 260
    visible: false

    // The window's area in the coordinates of the dialog layer (the 1280 by
    // 720 design, centred and scaled in the root).
    function clampIntoWindow() {
        var z = mainIten.zoomInRate_min > 0 ? mainIten.zoomInRate_min : 1
        var spareX = (mainIten.frameW / z - mainIten.normalW) / 2
        var spareY = (mainIten.frameH / z - mainIten.normalH) / 2
        x = Math.max(-spareX, Math.min(x, mainIten.normalW + spareX - width))
        y = Math.max(-spareY, Math.min(y, mainIten.normalH + spareY - height))
    }

    // Loaded only while shown: hidden dialogs hold no pixels.
    SvgImage {
        anchors.fill: parent
        source: dialog.visible ? mainIten.skinImage("index", "dialogBg.svg") : ""
    }
    MouseArea {
        anchors.fill: parent
        property point pressPos
        onPressed: function(mouse) { pressPos = Qt.point(mouse.x, mouse.y); forceActiveFocus() }
        onPositionChanged: function(mouse) {
            if (!pressed)
                return
            dialog.x += mouse.x - pressPos.x
            dialog.y += mouse.y - pressPos.y
            dialog.clampIntoWindow()
        }
    }
    Text {
        id: titleText
        x: 24
        y: 16
        text: dialog.title
        color: mainIten.fontColor
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMaxSize + 2
        font.letterSpacing: mainIten.langIndex === 0 ? 1 : 0
    }
    ImageButton {
        visible: dialog.showClose
        width: 24
        height: 24
        anchors.right: parent.right
        anchors.rightMargin: 14
        y: 12
        image: "closeBtn"
        accessibleName: mainIten.closeName
        onClicked: dialog.closeRequested()
    }
    Item {
        id: body
        anchors.fill: parent
        anchors.topMargin: 52
        anchors.leftMargin: 24
        anchors.rightMargin: 24
        anchors.bottomMargin: 20

        Loader {
            anchors.fill: parent
            active: dialog.contentMade && dialog.deferredContent !== null
            sourceComponent: dialog.deferredContent
        }
    }
}

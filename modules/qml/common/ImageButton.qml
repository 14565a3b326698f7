import QtQuick

// A button drawn from a skin image and its "H" hover variant.
Item {
    id: button
    property string group: "index"
    // File name without the extension; the hover image adds "H".
    property string image: ""
    readonly property bool hovered: area.containsMouse
    readonly property bool pressed: area.pressed
    // What the button does, for assistive technology: it shows only an image.
    property string accessibleName: ""
    signal clicked()

    activeFocusOnTab: mainIten.keyReachable(button)
    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.onPressAction: button.clicked()
    Keys.onSpacePressed: button.clicked()
    Keys.onReturnPressed: button.clicked()
    Keys.onEnterPressed: button.clicked()

    implicitWidth: 28
    implicitHeight: 28
    scale: area.pressed ? 0.92 : 1.0

    SvgImage {
        anchors.fill: parent
        source: mainIten.skinImage(button.group, button.image + ".svg")
        visible: !area.containsMouse
    }
    SvgImage {
        anchors.fill: parent
        source: mainIten.skinImage(button.group, button.image + "H.svg")
        visible: area.containsMouse
    }
    FocusRing {}
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}

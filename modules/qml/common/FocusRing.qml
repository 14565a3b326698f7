import QtQuick

// The keyboard focus made visible: a ring in the accent colour around the
// parent control while it holds the active focus. Focus only arrives by
// keyboard (Tab), so a pointer user never sees it.
Rectangle {
    property int margin: 3
    anchors.fill: parent
    anchors.margins: -margin
    visible: parent.activeFocus
    color: "transparent"
    radius: 4
    border.width: 2
    border.color: mainIten.colorAccent
    z: 100
}

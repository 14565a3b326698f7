import QtQuick

// Minimal scene until the full interface lands: the root functions the
// native side calls, and a visible frame.
Rectangle {
    id: mainIten
    width: 1280
    height: 720
    color: "#1b1c20"

    function setScreenRect(_widgetW, _widgetH, isMaxNormal) { width = _widgetW; height = _widgetH }
    function setProtectUI(interval) {}
    function initUI() {}
    function run() {}
    function setCurrentDPI(dpiValue) {}
    function scroll(_value) {}
    function detectKeyboard(isDown, usbCode) {}
    function detectMouse(isDown, jeffCode, x, y) {}

    Text {
        anchors.centerIn: parent
        text: "HALCYON"
        color: "#e0e0e0"
        font.pixelSize: 48
    }
}

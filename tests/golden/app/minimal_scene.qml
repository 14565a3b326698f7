import QtQuick

// A scene that only defines the root functions, so that traces show the
// calls the native side makes and nothing the full scene does in return.
Item {
    width: 1280
    height: 720
    function setScreenRect(_widgetW, _widgetH, isMaxNormal) {}
    function setProtectUI(interval) {}
    function initUI() {}
    function run() {}
    function setCurrentDPI(dpiValue) {}
    function scroll(_value) {}
    function detectKeyboard(isDown, usbCode) {}
    function detectMouse(isDown, jeffCode, x, y) {}
}

import QtQuick

// What every page and dialog offers the frame: an unsaved-changes flag,
// init(isSendData, isRecovery) and saveData(). The two signals let the
// frame (and its tests) see when a page has loaded or sent its values.
Item {
    // True while the page holds changes that have not been saved.
    property bool isSave: false
    // True while the page takes keys from the global capture.
    property bool isCapturing: false

    signal pageInitialised(bool isSendData, bool isRecovery)
    signal pageSaved()
    signal keyCaptured(bool isDown, int usbCode)

    // Load from the profile (factory defaults when isRecovery), send when isSendData.
    function init(isSendData, isRecovery) {
        pageInitialised(isSendData === true, isRecovery === true)
    }
    // Store the page's values in the profile and send them to the mouse.
    function saveData() {
        pageSaved()
    }
    // A key from the global capture, offered while isCapturing is true.
    function captureKey(isDown, usbCode) {
        keyCaptured(isDown, usbCode)
    }
}

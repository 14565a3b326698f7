import QtQuick
import "../common"
import "../common/Values.js" as Values

// Button assignment page (tab 0, left half). Its text group "keyMatrix" also
// carries the frame's own texts (bottom bar, reset dialog, tab names).
PageBase {
    id: page
    // Texts of the group "keyMatrix", English until a language is loaded.
    property var keyMatrixLang: [
        "Config", "OK", "Save", "Reset", "Office Mode", "Game Mode",
        "Official website: ", "Reset",
        "All settings of this profile return to their factory values. Continue?",
        "Cancel", "OK", "Button", "Function", "Restore", "Gun Settings",
        "Profile", "Loading", "MOUSE MACRO", "BACKLIGHT", "SETTINGS"
    ]
    // Number of buttons of the mouse (mouse/keyCount).
    property int mouseKeyCount: 14
    property int mouseMode: 0

    function selectMode(mode) { mouseMode = mode }
    // Return the page's key state to the restored profile after a reset.
    function resetKeys() {}

    PagePanel {
        anchors.fill: parent
        caption: Values.at(page.keyMatrixLang, 11)
    }
}

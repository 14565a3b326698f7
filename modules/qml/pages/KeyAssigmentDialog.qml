import QtQuick
import "../common"

// Key assignment dialog: fire keys and key combinations.
DialogFrame {
    id: dialog
    property var keyAssigmentLang: ["Button Function"]
    title: keyAssigmentLang.length > 0 ? String(keyAssigmentLang[0]) : ""
    onCloseRequested: mainIten.hideDialog(dialog)
}

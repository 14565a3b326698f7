import QtQuick
import "../common"

// Macro key dialog: picks a macro and its run mode for a button.
DialogFrame {
    id: dialog
    title: "Macro"
    onCloseRequested: mainIten.hideDialog(dialog)
}

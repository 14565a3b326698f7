import QtQuick
import "../common"

// Input dialog: asks for a name.
DialogFrame {
    id: dialog
    title: "Name"
    onCloseRequested: mainIten.hideDialog(dialog)
}

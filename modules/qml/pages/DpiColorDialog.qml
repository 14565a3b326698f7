import QtQuick
import "../common"

// DPI colour dialog: one of the eight stage colours.
DialogFrame {
    id: dialog
    title: "Colour"
    onCloseRequested: mainIten.hideDialog(dialog)
}

import QtQuick
import "../common"
import "../common/Values.js" as Values

// Warning dialog: one message and an OK button.
DialogFrame {
    id: dialog
    property var warningAssigmentLang: ["Warning", "OK"]
    property string text: ""
    title: Values.at(warningAssigmentLang, 0)
    onCloseRequested: mainIten.hideDialog(dialog)

    function show(message) {
        text = message
        mainIten.showDialog(dialog)
    }

    Text {
        width: parent.width
        text: dialog.text
        wrapMode: Text.WordWrap
        color: mainIten.colorGray3
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    TextButton {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        text: Values.at(dialog.warningAssigmentLang, 1)
        onClicked: mainIten.hideDialog(dialog)
    }
}

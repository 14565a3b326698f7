import QtQuick
import "../common"
import "../common/Values.js" as Values

// Warning dialog: one message and an OK button. It may open over another
// dialog, which then stays open with the mask when the warning closes.
DialogFrame {
    id: dialog
    // Texts of the group "warningAssigment"; 2 to 4 are the button page's rules.
    property var warningAssigmentLang: ["Warning", "OK",
        "Please keep a key at least for the left button function.",
        "Please click on the tick \u2713 !",
        "Please select a macro first !"]
    property string text: ""
    property bool overDialog: false
    title: Values.at(warningAssigmentLang, 0)
    z: 10
    // Sized to its text: the frame's title band, the message, the button.
    height: Math.max(170, 52 + message.implicitHeight + 24 + okButton.height + 20)
    onCloseRequested: close()

    function show(messageText) {
        text = messageText
        overDialog = mainMask.visible
        if (overDialog) {
            dialog.x = (mainIten.normalW - dialog.width) / 2
            dialog.y = (mainIten.normalH - dialog.height) / 2
            dialog.visible = true
        } else {
            mainIten.showDialog(dialog)
        }
    }

    function close() {
        if (overDialog) {
            dialog.visible = false
            focusSink.forceActiveFocus()
        }
        else
            mainIten.hideDialog(dialog)
        overDialog = false
    }

    Text {
        id: message
        width: parent.width
        text: dialog.text
        // However long the text (a path, a name without blanks), the box
        // keeps inside the window with its OK button in view.
        wrapMode: Text.WrapAtWordBoundaryOrAnywhere
        maximumLineCount: 12
        elide: Text.ElideRight
        color: mainIten.colorGray3
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    TextButton {
        id: okButton
        objectName: "warningOk"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        text: Values.at(dialog.warningAssigmentLang, 1)
        onClicked: dialog.close()
    }
}

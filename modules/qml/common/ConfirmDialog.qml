import QtQuick
import "Values.js" as Values

// A question with OK and Cancel, such as the confirmation of "Reset".
DialogFrame {
    id: confirm
    property string text: ""
    property string okText: "OK"
    property string cancelText: "Cancel"
    signal accepted()
    signal rejected()

    height: 200

    onCloseRequested: rejected()

    // Made when first shown.
    deferredContent: Component {
        Item {
            Text {
                width: parent.width
                text: confirm.text
                wrapMode: Text.WordWrap
                color: mainIten.colorGray3
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontNormalSize
                lineHeight: 1.2
            }
            Row {
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                spacing: 16
                TextButton {
                    objectName: "confirmOk"
                    text: confirm.okText
                    onClicked: confirm.accepted()
                }
                TextButton {
                    objectName: "confirmCancel"
                    text: confirm.cancelText
                    onClicked: confirm.rejected()
                }
            }
        }
    }
}

import QtQuick
import "../common"
import "../common/Values.js" as Values

// Profile manager ("Config"): the named profiles, each entry of the name
// index (type 2) being the name followed by its profile slot digit.
DialogFrame {
    id: dialog
    property var profileLang: ["Profiles", "Close"]
    // Names shown, and the profile slot of each entry.
    property var profileNames: ["Standard"]
    property var profileSlots: [0]
    // Asked of the frame when the user picks an entry.
    signal profileSelected(int slot)

    title: Values.at(profileLang, 0)
    width: 420
    height: 360
    onCloseRequested: mainIten.hideDialog(dialog)

    function init(isSendData, isRecovery) {
        var entries = Values.toList(ui_View.getNameList(2))
        var names = []
        var slots = []
        for (var i = 0; i < entries.length; ++i) {
            var e = entries[i]
            var slot = parseInt(e.charAt(e.length - 1), 10)
            if (e === "emptyslotkey" || e.length < 2 || isNaN(slot))
                continue
            names.push(e.substring(0, e.length - 1))
            slots.push(slot)
        }
        if (names.length === 0) {
            names = ["Standard"]
            slots = [0]
        }
        profileNames = names
        profileSlots = slots
        pageInitialised(isSendData === true, isRecovery === true)
    }

    // Index in the list of a profile slot, or -1.
    function indexOfSlot(slot) {
        return profileSlots.indexOf(slot)
    }

    Column {
        width: parent.width
        spacing: 6
        Repeater {
            model: dialog.profileNames
            delegate: Rectangle {
                required property int index
                required property var modelData
                width: parent.width
                height: 34
                radius: 3
                color: rowArea.containsMouse ? "#2e2a24" : "#1f2024"
                border.color: dialog.profileSlots[index] === mainIten.profileNo ? mainIten.colorPrimary : mainIten.colorGray1
                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    text: String(modelData)
                    color: dialog.profileSlots[index] === mainIten.profileNo ? mainIten.colorPrimary : mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: dialog.profileSelected(dialog.profileSlots[index])
                }
            }
        }
    }
    TextButton {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        text: Values.at(dialog.profileLang, 1)
        onClicked: mainIten.hideDialog(dialog)
    }
}

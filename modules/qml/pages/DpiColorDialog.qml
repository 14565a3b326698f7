import QtQuick
import "../common"
import "../common/Values.js" as Values

// DPI colour dialog: one of the eight stage colours for a stage's swatch.
DialogFrame {
    id: dialog
    property int stage: -1
    property string currentColor: ""
    readonly property var choices: [mainIten.color1, mainIten.color2, mainIten.color3, mainIten.color4,
                                    mainIten.color5, mainIten.color6, mainIten.color7, mainIten.color8]
    title: Values.at(dpiPage.dpiSettingLang, 4)
    width: 420
    height: 150
    onCloseRequested: mainIten.hideDialog(dialog)

    function open(stageIndex, color) {
        stage = stageIndex
        currentColor = String(color).toLowerCase()
        mainIten.showDialog(dialog)
    }

    function choose(index) {
        var c = dialog.choices[index].toString()
        mainIten.hideDialog(dialog)
        dpiPage.setStageColor(stage, c)
    }

    Grid {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 20
        columns: 8
        spacing: 12
        Repeater {
            model: 8
            delegate: Rectangle {
                required property int index
                readonly property bool chosen: dialog.choices[index].toString().toLowerCase() === dialog.currentColor
                id: choice
                objectName: "colorChoice" + index
                activeFocusOnTab: mainIten.keyReachable(choice)
                Accessible.role: Accessible.RadioButton
                Accessible.name: Values.at(dpiPage.dpiSettingLang, 4) + " " + (index + 1)
                Accessible.checkable: true
                Accessible.checked: chosen
                Accessible.focusable: true
                Accessible.onPressAction: dialog.choose(index)
                Keys.onSpacePressed: dialog.choose(index)
                Keys.onReturnPressed: dialog.choose(index)
                width: 34
                height: 34
                radius: 17
                color: dialog.choices[index]
                border.color: chosen || choiceArea.containsMouse ? "#ffffff" : mainIten.colorGray1
                border.width: chosen ? 3 : 2
                MouseArea {
                    id: choiceArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dialog.choose(index)
                }
                FocusRing { radius: 20 }
            }
        }
    }
}

import QtQuick
import "../common"
import "../common/LanguageTable.js" as LanguageTable
import "../common/Values.js" as Values

// The title bar: the profile drop-down, minimise and close (which hides the
// window to the tray), right-aligned and 21 px apart. Dragging the bar moves
// the window through the root's mouse area below it.
Item {
    id: menuUp
    // Profile names, in the order of the profile manager's list.
    property var profileModel: []
    property int profileIndex: -1
    property alias profileDropDown: profileDropDown
    signal profileChosen(int index)
    // Index in the language table of the language the user picked.
    signal languageChosen(int index)

    width: 1280
    height: 36

    function closeDropDowns() {
        profileDropDown.close()
        languageDropDown.close()
    }

    // The bar's art starts where the window's top-left corner is.
    SvgImage {
        objectName: "titleBarArt"
        x: 21
        y: 6
        width: 1280
        height: 44
        source: "qrc:/modules/img/titleBar.svg"
    }

    Row {
        id: controls
        x: 21 + 1280 - width - 16
        y: 6 + 4
        spacing: 21
        layoutDirection: Qt.LeftToRight

        DropDown {
            id: languageDropDown
            objectName: "languageDropDown"
            width: 120
            height: 26
            y: 1
            model: LanguageTable.shown
            currentIndex: mainIten.langIndex
            accessibleName: mainIten.languageName
            onActivated: function(index) { menuUp.languageChosen(index) }
        }
        DropDown {
            id: profileDropDown
            objectName: "profileDropDown"
            width: 200
            height: 26
            y: 1
            model: menuUp.profileModel
            currentIndex: menuUp.profileIndex
            accessibleName: Values.at(keyMatrixPage.keyMatrixLang, 15)
            onActivated: function(index) { menuUp.profileChosen(index) }
        }
        ImageButton {
            objectName: "minimizeButton"
            width: 28
            height: 28
            image: "minBtn"
            accessibleName: mainIten.minimiseName
            onClicked: ui_Ctl.onMinimize()
        }
        ImageButton {
            objectName: "closeButton"
            width: 28
            height: 28
            image: "closeBtn"
            accessibleName: mainIten.closeName
            onClicked: ui_Ctl.onHide()
        }
    }
}

import QtQuick
import "../common"

// System settings page (tab 2, upper part): pointer, double click, scroll
// lines and lift-off.
PageBase {
    id: page
    property var systemSettingLang: ["System Settings"]

    PagePanel {
        anchors.fill: parent
        caption: page.systemSettingLang.length > 0 ? String(page.systemSettingLang[0]) : ""
    }
}

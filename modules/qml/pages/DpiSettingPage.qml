import QtQuick
import "../common"

// DPI page (tab 0, right half): stages, values and colours.
PageBase {
    id: page
    property var dpiSettingLang: ["DPI", "Stages", "Colour"]
    // Highlighted stage (0-based); -1 marks none.
    property int currentStage: -1

    function selectStage(index) { currentStage = index }

    PagePanel {
        anchors.fill: parent
        caption: page.dpiSettingLang.length > 0 ? String(page.dpiSettingLang[0]) : ""
    }
}

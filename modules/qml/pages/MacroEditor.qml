import QtQuick
import "../common"

// Macro editor (tab 2, lower part).
PageBase {
    id: page
    property var macroEditorLang: ["Macro Editor"]

    PagePanel {
        anchors.fill: parent
        caption: page.macroEditorLang.length > 0 ? String(page.macroEditorLang[0]) : ""
    }
}

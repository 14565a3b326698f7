import QtQuick
import "../common"

// Lighting page (tab 1): its tab is hidden, but it is initialised and saved
// with the others.
PageBase {
    id: page
    property var lightControlLang: ["Lighting"]

    PagePanel {
        anchors.fill: parent
        caption: page.lightControlLang.length > 0 ? String(page.lightControlLang[0]) : ""
    }
}

import QtQuick
import "../common/keycodes.js" as KeyCodes

// The key-name table of the scene: HID usage codes and the names shown for
// them, kept in common/keycodes.js, which the macro code shares. A language
// load (group "keyCode") replaces the names in table order.
Item {
    id: keyCodeString
    // Names in table order: the built-in names until a language is loaded.
    property var keyCodeLang: KeyCodes.names()

    onKeyCodeLangChanged: KeyCodes.setNames(keyCodeLang)

    // Name of the first row with this code, or "" when there is none.
    function nameOf(code) {
        return KeyCodes.nameOf(code)
    }

    // Code of the first row with this name, or 0 when there is none.
    function codeOf(name) {
        return KeyCodes.codeOf(name)
    }

    // [[code, name], ...] in table order, with the current names.
    function rows() {
        return KeyCodes.copyRows(KeyCodes.table)
    }
}

import QtQuick

// The key-name table: HID usage codes and the names shown for them. The
// codes and English names come from common/keycodes.js; a language load
// replaces the names (group "keyCode") in table order.
Item {
    id: keyCodeString
    // [[code, name], ...] in table order; empty until the table is available.
    property var table: []
    // Names in table order: the English names until a language load
    // replaces the whole array with the group "keyCode".
    property var keyCodeLang: []

    // Name of the first entry with this code, or "" when there is none.
    function nameOf(code) {
        var c = Number(code)
        for (var i = 0; i < table.length; ++i) {
            if (table[i][0] === c)
                return i < keyCodeLang.length && keyCodeLang[i] !== undefined ? String(keyCodeLang[i]) : ""
        }
        return ""
    }

    // Code of the first entry with this name, or 0 when there is none.
    function codeOf(name) {
        var n = String(name)
        for (var i = 0; i < table.length && i < keyCodeLang.length; ++i) {
            if (String(keyCodeLang[i]) === n)
                return table[i][0]
        }
        return 0
    }

    // The table file is shared with the macro code; it is read through a
    // small inline component so that a build without it still starts.
    Component.onCompleted: {
        var holder = null
        try {
            holder = Qt.createQmlObject(
                'import QtQml\nimport "../common/keycodes.js" as KeyCodes\n'
                + 'QtObject { property var rows: KeyCodes.table }',
                keyCodeString, Qt.resolvedUrl("KeyCodeTable.qml"))
        } catch (e) {
            holder = null
        }
        if (!holder || !holder.rows)
            return
        var rows = []
        var names = []
        for (var i = 0; i < holder.rows.length; ++i) {
            rows.push([Number(holder.rows[i][0]), String(holder.rows[i][1])])
            names.push(String(holder.rows[i][1]))
        }
        holder.destroy()
        table = rows
        keyCodeLang = names
    }
}

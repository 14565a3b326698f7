import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

// The key-name table's look-ups in both directions, before and after a
// language load replaced its names.
TestCase {
    name: "KeyCodeString"

    KeyCodeString {
        id: keys
    }

    // The table is shared by the whole scene: start and end on the built-in names.
    function init() {
        keys.keyCodeLang = []
    }

    function cleanup() {
        keys.keyCodeLang = []
    }

    function test_nameOf_data() {
        return [
            { tag: "letter", code: 0x04, name: "A" },
            { tag: "left mouse button", code: 0xF0, name: "MS-L" },
            { tag: "second row of a shared name", code: 0x32, name: "\\" },
            { tag: "unknown code", code: 0x03, name: "" },
            { tag: "code as text", code: "29", name: "Z" }
        ]
    }

    function test_nameOf(data) {
        compare(keys.nameOf(data.code), data.name)
    }

    function test_codeOf_data() {
        return [
            { tag: "letter", name: "C", code: 0x06 },
            { tag: "shared name gives the first row", name: "\\", code: 0x31 },
            { tag: "unknown name", name: "Hyper", code: 0 },
            { tag: "empty name", name: "", code: 0 }
        ]
    }

    function test_codeOf(data) {
        compare(keys.codeOf(data.name), data.code)
    }

    function test_tableHas133Rows() {
        compare(keys.rows().length, 133)
    }

    function test_languageLoadReplacesNames() {
        var names = keys.rows().map(function(r) { return r[1] })
        names[0] = "A-de"
        keys.keyCodeLang = names
        compare(keys.nameOf(0x04), "A-de")
        compare(keys.codeOf("A-de"), 0x04)
        compare(keys.codeOf("A"), 0)
        // A shorter group keeps the built-in names of the rows it lacks.
        keys.keyCodeLang = ["A-fr"]
        compare(keys.nameOf(0x04), "A-fr")
        compare(keys.nameOf(0x05), "B")
    }
}

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

    function init() {
        keys.table = [[0x04, "A"], [0x05, "B"], [0xE0, "LCtrl"], [0x04, "A2"], [0xF0, "L-Click"]]
        keys.keyCodeLang = ["A", "B", "LCtrl", "A2", "L-Click"]
    }

    function test_nameOf_data() {
        return [
            { tag: "known code", code: 0x05, name: "B" },
            { tag: "first of two equal codes", code: 0x04, name: "A" },
            { tag: "mouse button", code: 0xF0, name: "L-Click" },
            { tag: "unknown code", code: 0x99, name: "" },
            { tag: "code as text", code: "224", name: "LCtrl" }
        ]
    }

    function test_nameOf(data) {
        compare(keys.nameOf(data.code), data.name)
    }

    function test_codeOf_data() {
        return [
            { tag: "known name", name: "LCtrl", code: 0xE0 },
            { tag: "second name of a shared code", name: "A2", code: 0x04 },
            { tag: "unknown name", name: "Hyper", code: 0 },
            { tag: "empty name", name: "", code: 0 }
        ]
    }

    function test_codeOf(data) {
        compare(keys.codeOf(data.name), data.code)
    }

    function test_languageLoadReplacesNames() {
        keys.keyCodeLang = ["A", "B", "Strg links"]
        compare(keys.nameOf(0xE0), "Strg links")
        compare(keys.codeOf("Strg links"), 0xE0)
        compare(keys.codeOf("LCtrl"), 0)
        // Names the shorter list lacks show empty and encode as 0.
        compare(keys.nameOf(0xF0), "")
        compare(keys.codeOf("L-Click"), 0)
    }
}

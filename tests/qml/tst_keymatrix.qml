import QtQuick
import QtTest

// The button assignment page with its function menu and dialogs, driven
// through the scene against the recording mock backend.
Item {
    id: host
    width: 1280
    height: 720

    TestCase {
        id: test
        name: "KeyMatrixPage"
        when: windowShown

        property var scene: null
        property var page: null

        // The English language file holds the components' own texts.
        function useDefaultTextsAsEnglish() {
            var groups = [["keyMatrix", "keyMatrixPage", "keyMatrixLang"],
                          ["keyAssigment", "keyAssigmentDialog", "keyAssigmentLang"],
                          ["dpiSetting", "dpiPage", "dpiSettingLang"],
                          ["systemSetting", "systemPage", "systemSettingLang"],
                          ["profile", "profileManager", "profileLang"],
                          ["keyCode", "keyCodeString", "keyCodeLang"],
                          ["warningAssigment", "warningDialog", "warningAssigmentLang"]]
            var file = {}
            groups.forEach(function(g) { file[g[0]] = findChild(scene, g[1])[g[2]] })
            mockBackend.languages = { "English": file }
        }

        function init() {
            failOnWarning(/.*/)
            mockBackend.reset()
            mockBackend.gunData = { "0": ["M416", "L-Click", "9", "0", "5", "0"],
                                    "1": ["AKM", "L-Click", "11", "0", "7", "0"],
                                    "2": ["M16A4", "L-Click", "12", "0", "8", "0"] }
            mockBackend.globals["mouse/selectGun"] = ["0", "1", "2"]
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            compare(component.status, Component.Ready, component.errorString())
            scene = createTemporaryObject(component, host)
            scene.setScreenRect(1280, 720, false)
            useDefaultTextsAsEnglish()
            scene.initUI()
            scene.setProtectUI(0)
            tryVerify(function() { return scene.isUiShown }, 2000)
            page = findChild(scene, "keyMatrixPage")
            mockBackend.log = []
        }

        function row(index) { return findChild(page, "buttonRow" + index) }
        function entryText(index) { return findChild(row(index), "entryText").text }
        function warning() { return findChild(scene, "warningDialog") }

        function openMenu(index) {
            mouseClick(findChild(row(index), "entryField"))
            var menu = findChild(page, "functionMenu")
            verify(menu.visible)
            waitForRendering(menu)
            return menu
        }

        function chooseSub(menu, rowIndex, itemIndex) {
            mouseMove(findChild(menu, "menuRow" + rowIndex))
            waitForRendering(menu)
            mouseClick(findChild(findChild(menu, "subMenu"), "subRow" + itemIndex))
        }

        function flat(list) {
            var out = []
            list.forEach(function(e) { out = out.concat(e) })
            return out
        }

        function test_copyOnButton4ThenOk() {
            var save = findChild(scene, "saveButton")
            compare(save.textColor, scene.fontColor)
            chooseSub(openMenu(3), 11, 2)
            compare(page.modKeys[3], [0x07, 0x00, 0xE0, 0x06])
            compare(entryText(3), "Copy")
            verify(page.isSave)
            compare(save.textColor, scene.colorAccent)
            compare(mockBackend.log.length, 0)

            mouseClick(findChild(scene, "okButton"))
            var sent = mockBackend.callsOf("ui_View.mouseSetKeyMatrix")
            compare(sent.length, 1)
            compare(sent[0][0], 0)
            var office = flat(page.modKeys)
            compare(sent[0][1], office)
            compare(sent[0][1].slice(12, 16), [7, 0, 0xE0, 6])
            compare(sent[0][2], flat(page.modKeys2))
            compare(sent[0][3], true)
            compare(sent[0][4], [9, 11, 12])
            compare(mockBackend.names("ui_Ctl"), ["ui_Ctl.onMinimize"])
            verify(!page.isSave)
        }

        function test_gameModeSavesTheGameList() {
            page.selectMode(1)
            scene.mouseMode = 1
            chooseSub(openMenu(7), 12, 2)
            compare(page.modKeys2[7], [8, 0, 3, 0])
            compare(entryText(7), "Three Gun")
            mouseClick(findChild(scene, "saveButton"))
            var sent = mockBackend.callsOf("ui_View.mouseSetKeyMatrix")
            compare(sent.length, 1)
            compare(sent[0][0], 1)
            compare(sent[0][2].slice(28, 32), [8, 0, 3, 0])
            compare(sent[0][1], flat(page.modKeys))
            compare(sent[0][4], [9, 11, 12])
        }

        // Every fixed item of the menu: its code and the text derived from it.
        function test_menuItems_data() {
            return [
                { tag: "Left Key", row: 0, code: [0, 0, 0xF0, 0] },
                { tag: "Right Key", row: 1, code: [0, 0, 0xF1, 0] },
                { tag: "Middle Key", row: 2, code: [0, 0, 0xF2, 0] },
                { tag: "Forward Key", row: 3, code: [0, 0, 0xF4, 0] },
                { tag: "Back Key", row: 4, code: [0, 0, 0xF3, 0] },
                { tag: "DPI+", row: 5, item: 0, code: [5, 0, 1, 0] },
                { tag: "DPI-", row: 5, item: 1, code: [5, 0, 2, 0] },
                { tag: "DPI LOOP", row: 5, item: 2, code: [5, 0, 3, 0] },
                { tag: "Sniper Key", row: 5, item: 3, code: [5, 0, 4, 0] },
                { tag: "Player", row: 8, item: 0, code: [3, 0, 0x83, 1] },
                { tag: "Next", row: 8, item: 1, code: [3, 0, 0xB5, 0] },
                { tag: "Privous", row: 8, item: 2, code: [3, 0, 0xB6, 0] },
                { tag: "Stop", row: 8, item: 3, code: [3, 0, 0xB7, 0] },
                { tag: "Mute", row: 8, item: 4, code: [3, 0, 0xE2, 0] },
                { tag: "Play/Pause", row: 8, item: 5, code: [3, 0, 0xCD, 0] },
                { tag: "Volumn+", row: 8, item: 6, code: [3, 0, 0xE9, 0] },
                { tag: "Volumn-", row: 8, item: 7, code: [3, 0, 0xEA, 0] },
                { tag: "My PC", row: 10, item: 0, code: [6, 0, 0x94, 1] },
                { tag: "Index", row: 10, item: 1, code: [6, 0, 0x23, 2] },
                { tag: "Search", row: 10, item: 2, code: [6, 0, 0x21, 2] },
                { tag: "Max", row: 10, item: 3, code: [6, 4, 0x2C, 0x1B] },
                { tag: "Min", row: 10, item: 4, code: [6, 4, 0x2C, 0x11] },
                { tag: "Desktop", row: 10, item: 5, code: [6, 0, 0xE3, 7] },
                { tag: "Run", row: 10, item: 6, code: [6, 0, 0xE3, 0x15] },
                { tag: "New", row: 11, item: 0, code: [7, 0, 0xE0, 0x11] },
                { tag: "Cut", row: 11, item: 1, code: [7, 0, 0xE0, 0x1B] },
                { tag: "Copy", row: 11, item: 2, code: [7, 0, 0xE0, 0x06] },
                { tag: "Paste", row: 11, item: 3, code: [7, 0, 0xE0, 0x19] },
                { tag: "Save", row: 11, item: 4, code: [7, 0, 0xE0, 0x16] },
                { tag: "Print", row: 11, item: 5, code: [7, 0, 0xE0, 0x13] },
                { tag: "Find", row: 11, item: 6, code: [7, 0, 0xE0, 0x09] },
                { tag: "Redo", row: 11, item: 7, code: [7, 0, 0xE0, 0x1C] },
                { tag: "Undo", row: 11, item: 8, code: [7, 0, 0xE0, 0x1D] },
                { tag: "Select All", row: 11, item: 9, code: [7, 0, 0xE0, 0x04] },
                { tag: "One Gun", row: 12, item: 0, code: [8, 0, 1, 0], game: true },
                { tag: "Two Gun", row: 12, item: 1, code: [8, 0, 2, 0], game: true },
                { tag: "Three Gun", row: 12, item: 2, code: [8, 0, 3, 0], game: true }
            ]
        }

        function test_menuItems(data) {
            if (data.game)
                page.selectMode(1)
            var menu = openMenu(2)
            if (data.item === undefined)
                mouseClick(findChild(menu, "menuRow" + data.row))
            else
                chooseSub(menu, data.row, data.item)
            compare(page.listOf(page.mouseMode)[2], data.code)
            compare(entryText(2), data.tag)
        }

        function test_menuRowsPerMode() {
            var menu = openMenu(1)
            var titles = function() {
                var out = []
                for (var i = 0; findChild(menu, "menuRow" + i); ++i)
                    out.push(findChild(menu, "menuRow" + i).children[0].text)
                return out
            }
            var office = ["Left Key", "Right Key", "Middle Key", "Forward Key", "Back Key", "DPI Function",
                          "Fire Function", "Group Function", "Media Function", "Macro Function",
                          "Windows Function", "Shortcut Function"]
            compare(titles(), office)
            page.closeMenu()
            page.selectMode(1)
            menu = openMenu(1)
            waitForRendering(menu)
            compare(titles(), office.concat(["Gun Function"]))
        }

        function test_derivedTexts_data() {
            return [
                { tag: "double fire", code: [0, 0xF0, 0x1E, 2], text: "Double Fire" },
                { tag: "fire key", code: [1, 0x1D, 10, 0], text: "Z" },
                { tag: "fire key not in the table", code: [1, 0x01, 10, 0], text: "" },
                { tag: "group", code: [2, 0x01 | 0x04, 0x06, 0x19], text: "LCtrl+LAlt+C+V" },
                { tag: "group of right modifiers", code: [2, 0x80 | 0x10, 0, 0], text: "RCtrl+RWin" },
                { tag: "unknown media", code: [3, 0, 0x11, 0], text: "" },
                { tag: "fixed entry", code: [0xFF, 0, 1, 0], text: "" }
            ]
        }

        function test_derivedTexts(data) {
            var list = page.modKeys.slice()
            list[6] = data.code
            page.modKeys = list
            compare(entryText(6), data.text)
        }

        function test_loadsBothListsAndMacroNames() {
            mockBackend.profileLists["mouseKeyMatrix/4"] = ["4", "1", "4", "0"]
            mockBackend.profileLists["mouseKeyMatrix2/5"] = ["8", "0", "3", "0"]
            mockBackend.profile["mouseMacroKey/4"] = "Reload"
            page.init(false, true)
            compare(mockBackend.callsOf("ui_View.mouseGetKeydefine").length, 32)
            compare(mockBackend.callsOf("ui_View.mouseGetKeydefine")[0], [0, 0, true])
            compare(mockBackend.callsOf("ui_View.getData"), [["mouseMacroKey/4", true]])
            compare(page.modKeys[4], [4, 1, 4, 0])
            compare(entryText(4), "Reload")
            compare(page.modKeys2[5], [8, 0, 3, 0])
            // Entries the profile lacks keep what the list held.
            compare(page.modKeys[7], [0, 0xF0, 0x1E, 2])
            compare(mockBackend.callsOf("ui_View.mouseSetKeyMatrix").length, 0)
            page.init(true, false)
            compare(mockBackend.callsOf("ui_View.mouseSetKeyMatrix").length, 1)
        }

        function test_restoreEntry_data() {
            return [
                { tag: "office 6", mode: 0, index: 5, code: [5, 0, 1, 0] },
                { tag: "office 9", mode: 0, index: 8, code: [1, 0x1D, 0x0A, 0] },
                { tag: "office 10", mode: 0, index: 9, code: [2, 1, 0x1D, 0] },
                { tag: "office 14", mode: 0, index: 13, code: [7, 0, 0xE0, 0x16] },
                { tag: "game 6", mode: 1, index: 5, code: [8, 0, 1, 0] },
                { tag: "game 7", mode: 1, index: 6, code: [8, 0, 2, 0] }
            ]
        }

        function test_restoreEntry(data) {
            page.selectMode(data.mode)
            page.assignEntry(data.index, [3, 0, 0xE2, 0])
            compare(page.listOf(data.mode)[data.index], [3, 0, 0xE2, 0])
            mouseClick(findChild(row(data.index), "restoreButton"))
            compare(page.listOf(data.mode)[data.index], data.code)
        }

        function test_leftButtonKeepsLeftKey_data() {
            return [
                { tag: "menu", how: "menu" },
                { tag: "sub-menu", how: "sub" },
                { tag: "fire dialog", how: "fire" },
                { tag: "group dialog", how: "group" },
                { tag: "macro dialog", how: "macro" },
                { tag: "dialog row of the menu", how: "dialogRow" }
            ]
        }

        function test_leftButtonKeepsLeftKey(data) {
            mockBackend.nameLists["0"] = ["Solo", "emptyslotkey"]
            mockBackend.macroTop = { "0": ["0", "emptyslotkey"] }
            mockBackend.macroFiles = { "Solo": { actions: ["1,A", "2,A"], repeat: 1 } }
            if (data.how === "menu") {
                mouseClick(findChild(openMenu(0), "menuRow1"))
            } else if (data.how === "sub") {
                chooseSub(openMenu(0), 5, 0)
            } else if (data.how === "dialogRow") {
                mouseClick(findChild(openMenu(0), "menuRow6"))
                verify(!findChild(scene, "keyAssigmentDialog").visible)
            } else if (data.how === "macro") {
                var md = scene.macroKeyDialogItem()
                md.open(0, [0, 0, 0xF0, 0])
                md.selectedRow = 0
                mouseClick(findChild(md, "macroDialogOk"))
            } else {
                var dialog = findChild(scene, "keyAssigmentDialog")
                dialog.open(data.how, 0, [0, 0, 0xF0, 0])
                mouseClick(findChild(dialog, "captureField"))
                scene.detectKeyboard(true, 0x04)
                mouseClick(findChild(findChild(dialog, "captureField"), "tick"))
                mouseClick(findChild(dialog, "keyDialogOk"))
            }
            compare(page.modKeys[0], [0, 0, 0xF0, 0])
            compare(entryText(0), "Left Key")
            verify(warning().visible)
            compare(warning().text, "Please keep a key at least for the left button function.")
            verify(!page.isSave)
            compare(mockBackend.callsOf("ui_View.mouseSendMacroData").length, 0)
            compare(mockBackend.callsOf("ui_View.setData").length, 0)
            // Choosing "Left Key" again is allowed.
            mouseClick(findChild(warning(), "warningOk"))
            mouseClick(findChild(openMenu(0), "menuRow0"))
            compare(page.modKeys[0], [0, 0, 0xF0, 0])
        }

        function test_groupKeepsTwoKeys() {
            mouseClick(findChild(openMenu(9), "menuRow7"))
            var dialog = findChild(scene, "keyAssigmentDialog")
            verify(dialog.visible)
            compare(dialog.mode, "group")
            var field = findChild(dialog, "captureField")
            mouseClick(field)
            verify(dialog.isCapturing)
            ;[0xE0, 0x04, 0xE5, 0x05, 0x06, 0x07].forEach(function(k) {
                scene.detectKeyboard(true, k)
                scene.detectKeyboard(false, k)
            })
            compare(field.text, "LCtrl+RShift+A+B")
            // Confirming while the capture is open asks for the tick.
            mouseClick(findChild(dialog, "keyDialogOk"))
            verify(warning().visible)
            compare(warning().text, "Please click on the tick \u2713 !")
            verify(dialog.visible)
            mouseClick(findChild(warning(), "warningOk"))
            verify(findChild(scene, "mainMask").visible)

            mouseClick(findChild(field, "tick"))
            verify(!dialog.isCapturing)
            scene.detectKeyboard(true, 0x08)
            mouseClick(findChild(dialog, "keyDialogOk"))
            verify(!dialog.visible)
            compare(page.modKeys[9], [2, 0x21, 0x04, 0x05])
            compare(entryText(9), "LCtrl+RShift+A+B")
            verify(page.isSave)
        }

        function test_emptyGroupOnlyHighlights() {
            var dialog = findChild(scene, "keyAssigmentDialog")
            var before = page.modKeys[9]
            dialog.open("group", 9, [0, 0, 0, 0])
            mouseClick(findChild(dialog, "keyDialogOk"))
            verify(dialog.visible)
            verify(dialog.emptyWarning)
            verify(!warning().visible)
            compare(page.modKeys[9], before)
            verify(!page.isSave)
        }

        function test_fireKey() {
            page.assignEntry(8, [1, 0x1D, 10, 0])
            mouseClick(findChild(openMenu(8), "menuRow6"))
            var dialog = findChild(scene, "keyAssigmentDialog")
            compare(dialog.mode, "fire")
            // The entry's own fire key is shown to start with.
            compare(findChild(dialog, "captureField").text, "Z")
            mouseClick(findChild(dialog, "captureField"))
            scene.detectKeyboard(true, 0x09)
            mouseClick(findChild(findChild(dialog, "captureField"), "tick"))
            var rates = findChild(dialog, "rateDropDown")
            compare(rates.model[rates.currentIndex], "10ms")
            dialog.fireRateIndex = rates.model.indexOf("40ms")
            var count = findChild(dialog, "countInput")
            count.forceActiveFocus()
            count.selectAll()
            keyClick(Qt.Key_5)
            mouseClick(findChild(dialog, "keyDialogOk"))
            compare(page.modKeys[8], [1, 0x09, 40, 5])
            compare(entryText(8), "F")
        }

        function test_macroAssignment() {
            mockBackend.nameLists["0"] = ["Games", "Solo"]
            mockBackend.macroTop = { "0": ["1", "0"] }
            mockBackend.macroSub = { "Games": { "4": ["Reload", "emptyslotkey"], "0": ["0", "emptyslotkey"] } }
            mockBackend.macroFiles = { "Reload": { actions: ["1,R", "0,50", "2,R"], repeat: 3 } }
            mouseClick(findChild(openMenu(5), "menuRow9"))
            var dialog = findChild(scene, "macroKeyDialog")
            verify(dialog.visible)
            compare(dialog.rows.map(function(r) { return r.name + "@" + r.level }), ["Games@0", "Reload@1", "Solo@0"])
            // Without a selection the dialog asks for one.
            mouseClick(findChild(dialog, "macroDialogOk"))
            verify(warning().visible)
            compare(warning().text, "Please select a macro first !")
            mouseClick(findChild(warning(), "warningOk"))
            compare(mockBackend.callsOf("ui_View.mouseSendMacroData").length, 0)

            verify(dialog.selectByName("Reload"))
            dialog.runMode = 2
            mockBackend.log = []
            mouseClick(findChild(dialog, "macroDialogOk"))
            verify(!dialog.visible)
            compare(mockBackend.callsOf("ui_View.setMacroSelectName"), [["Games", "", "", "", ""]])
            compare(mockBackend.callsOf("ui_View.loadMacroIni"), [[1, "Reload"]])
            var sent = mockBackend.callsOf("ui_View.mouseSendMacroData")
            compare(sent.length, 1)
            compare(sent[0][1], 5)
            // The block starts with the repeat count, high byte first.
            compare(sent[0][0].slice(0, 2), [0, 3])
            compare(mockBackend.callsOf("ui_View.setData"), [["mouseMacroKey/5", "Reload"]])
            compare(page.modKeys[5], [4, 2, 5, 0])
            compare(entryText(5), "Reload")
            verify(page.isSave)
        }

        function test_macroFromTheDeepestLevel() {
            mockBackend.nameLists["0"] = ["A", "emptyslotkey"]
            mockBackend.macroTop = { "0": ["1", "emptyslotkey"] }
            var sub = {}
            ;["A", "B", "C", "D"].forEach(function(f, i) {
                var child = ["B", "C", "D", "E"][i]
                sub[f] = { "4": [child, "emptyslotkey"], "0": ["1", "emptyslotkey"] }
            })
            sub["E"] = { "4": ["Deep", "emptyslotkey"], "0": ["0", "emptyslotkey"] }
            mockBackend.macroSub = sub
            mockBackend.macroFiles = { "Deep": { actions: ["1,A", "2,A"], repeat: 1 } }
            var dialog = scene.macroKeyDialogItem()
            dialog.open(2, [0, 0, 0xF2, 0])
            compare(dialog.rows.map(function(r) { return r.name + "@" + r.level }),
                    ["A@0", "B@1", "C@2", "D@3", "E@4", "Deep@5"])
            // The children of E are read at level 5 with A to D selected.
            compare(mockBackend.callsOf("ui_View.setMacroSelectName").pop(), ["A", "B", "C", "D", ""])
            compare(mockBackend.callsOf("ui_View.setMacroLevel").pop(), [5])
            verify(dialog.selectByName("Deep"))
            mockBackend.log = []
            dialog.accept()
            compare(mockBackend.callsOf("ui_View.setMacroSelectName"), [["A", "B", "C", "D", "E"]])
            compare(mockBackend.callsOf("ui_View.loadMacroIni"), [[5, "Deep"]])
            compare(page.modKeys[2], [4, 0, 2, 0])
        }

        function test_macroDeletedAndRenamed() {
            mockBackend.profileLists["mouseKeyMatrix/6"] = ["4", "0", "6", "0"]
            mockBackend.profile["mouseMacroKey/6"] = "Burst"
            page.init(false, false)
            mockBackend.log = []
            page.macroRenamed(0, 0, "Burst", "Volley")
            compare(entryText(6), "Volley")
            compare(mockBackend.callsOf("ui_View.setData"), [["mouseMacroKey/6", "Volley"]])
            compare(mockBackend.callsOf("ui_View.modifyMacroNameUpdateProfile"), [[0, 0, "Burst", "Volley"]])
            page.macroEdited("Volley", [0, 1, 0, 0])
            compare(mockBackend.callsOf("ui_View.mouseSendMacroData"), [[[0, 1, 0, 0], 6]])
            mockBackend.log = []
            page.macroDeleted("Volley")
            compare(page.modKeys[6], [5, 0, 2, 0])
            // The gun rates come from the gun editor, which read them at start.
            compare(mockBackend.names(), ["ui_View.mouseSetKeyMatrix", "ui_View.deleteMacroUpdateProfile"])
        }

        function test_markerFollowsTheEntryUnderThePointer() {
            var drawing = findChild(page, "mouseDrawing")
            mouseMove(findChild(row(4), "entryField"))
            compare(drawing.highlightIndex, 4)
            mouseMove(findChild(drawing, "marker2"))
            compare(page.hoverIndex, 2)
        }
    }
}

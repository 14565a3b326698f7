import QtQuick
import QtTest

// The macro editor against the recording mock backend: recording, the
// size limit, inserted actions, the library rules, and what renames,
// deletes and edits tell the button page and the backend.
Item {
    id: host
    width: 1280
    height: 720

    TestCase {
        id: test
        name: "MacroEditor"
        when: windowShown

        property var scene: null
        property var editor: null

        function init() {
            mockBackend.reset()
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            compare(component.status, Component.Ready, component.errorString())
            scene = createTemporaryObject(component, host)
            // The English file carries the components' own texts.
            mockBackend.languages = { English: {
                macroEditor: scene.macroEditorItem().macroEditorLang,
                warningAssigment: findChild(scene, "warningDialog").warningAssigmentLang } }
            scene.setScreenRect(1280, 720, false)
            scene.initUI()
            scene.setProtectUI(0)
            tryVerify(function() { return scene.isUiShown }, 2000)
            editor = findChild(scene, "macroEditor")
            scene.selectTab(2)
            mockBackend.log = []
        }

        function press(code) { scene.detectKeyboard(true, code) }
        function release(code) { scene.detectKeyboard(false, code) }

        function entries() { return editor.actionEntries() }
        function types() { return editor.actions.map(function(a) { return a.type }) }

        function newMacro(name) {
            var node = editor.createEntry(0, name)
            verify(node !== null)
            return node
        }

        function test_emptyLibraryOffersANewMacro() {
            waitForRendering(editor)
            mouseClick(findChild(editor, "emptyNewMacro"))
            compare(editor.rows.length, 1)
            compare(editor.rows[0].name, "Macro 1")
            compare(editor.editingNode, editor.rows[0])
            compare(mockBackend.callsOf("ui_View.createMacroIni"), [["Macro 1", 0, 0, 0]])
        }

        function test_clickingTheTreeSelectsAndOpens() {
            var folder = editor.createEntry(1, "Games")
            editor.selectNode(folder)
            editor.createEntry(0, "Inner")
            editor.selectNode(null)
            editor.createEntry(0, "Solo")
            folder.open = false
            editor.rebuildRows()
            waitForRendering(editor)
            var solo = findChild(editor, "treeRow_Solo")
            mouseClick(solo)
            compare(editor.selectedNode.name, "Solo")
            verify(solo.selected)
            compare(editor.currentMacro.name, "Solo")
            // A click on a folder opens it and shows its entries.
            verify(findChild(editor, "treeRow_Inner") === null)
            mouseClick(findChild(editor, "treeRow_Games"))
            verify(folder.open)
            tryVerify(function() { return findChild(editor, "treeRow_Inner") !== null })
            compare(editor.currentMacro, null)
        }

        function test_languageSwitchFromTheTitleBar() {
            var keyNames = findChild(scene, "keyCodeString").keyCodeLang.slice()
            keyNames[0] = "Ä"
            mockBackend.languages["German"] = {
                macroEditor: ["Makro-Editor"], keyCode: keyNames }
            var dropDown = findChild(scene, "languageDropDown")
            mouseClick(dropDown)
            verify(dropDown.isOpen)
            waitForRendering(dropDown)
            // German is the fourth row of the list.
            mouseClick(dropDown, dropDown.width / 2, dropDown.height + 4 + 3.5 * dropDown.rowHeight)
            compare(scene.language, "German")
            compare(scene.langIndex, 3)
            compare(mockBackend.callsOf("ui_View.setGlobalData").pop(), ["common/language", "German"])
            compare(mockBackend.callsOf("ui_View.getLangStrings").length, 13)
            compare(editor.macroEditorLang, ["Makro-Editor"])
            // Recorded keys take the language's names, and encode by them.
            newMacro("Umlaut")
            editor.isDelayRecorded = false
            editor.startRecording()
            press(0x04)
            release(0x04)
            editor.stopRecording()
            compare(entries(), ["1,Ä", "2,Ä"])
            compare(probe.codec.deCode(entries(), 1), [0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0x00, 0x00])
        }

        function test_runModeIsTheNextBindingsMode() {
            editor.runMode = 2
            var dialog = scene.macroKeyDialogItem()
            dialog.open(4, [0, 0, 0xF4, 0])
            compare(dialog.runMode, 2)
            scene.hideDialog(dialog)
            // A button already bound keeps its own mode.
            dialog.open(4, [4, 1, 4, 0])
            compare(dialog.runMode, 1)
            scene.hideDialog(dialog)
        }

        function test_recordingCtrlCWithDelay() {
            newMacro("Copy")
            verify(editor.isDelayRecorded)
            editor.startRecording()
            verify(editor.isCapturing)
            // The pauses come from the backend's monotonic clock, rounded to
            // whole 10 ms units.
            mockBackend.nowMs = 5000
            press(0xE0)
            mockBackend.nowMs = 6004
            press(0x06)
            mockBackend.nowMs = 6139
            release(0x06)
            mockBackend.nowMs = 6143
            release(0xE0)
            editor.stopRecording()
            compare(types(), [1, 0, 1, 0, 2, 0, 2])
            var infos = editor.actions.filter(function(a) { return a.type !== 0 }).map(function(a) { return a.info })
            compare(infos, ["LCtrl", "C", "C", "LCtrl"])
            compare(editor.actions.filter(function(a) { return a.type === 0 }).map(function(a) { return a.info }),
                    ["1000", "140", "0"])
            // Saved once, when recording stops.
            var saves = mockBackend.callsOf("ui_View.saveMacroIni")
            compare(saves.length, 1)
            compare(saves[0][1], "Copy")
            compare(saves[0][2], entries())
            compare(saves[0][3], 1)
        }

        function test_recordingWithoutDelayAndMouseButtons() {
            newMacro("Click")
            editor.isDelayRecorded = false
            editor.startRecording()
            press(0xF0)
            release(0xF0)
            press(0x04)
            release(0x04)
            editor.stopRecording()
            compare(entries(), ["3,MS-L", "4,MS-L", "1,A", "2,A"])
            // After stopping, keys are ignored.
            press(0x05)
            compare(editor.actions.length, 4)
            verify(!editor.isCapturing)
        }

        function test_selectingAnotherEntryKeepsTheRecording() {
            var first = newMacro("First")
            editor.selectNode(null)
            var second = newMacro("Second")
            editor.selectNode(first)
            editor.isDelayRecorded = false
            editor.startRecording()
            press(0x04)
            release(0x04)
            editor.selectNode(second)
            verify(!editor.isRecording)
            var save = mockBackend.callsOf("ui_View.saveMacroIni").pop()
            compare(save.slice(1, 3), ["First", ["1,A", "2,A"]])
        }

        function test_noCaptureWithoutSelectedMacro() {
            editor.startRecording()
            verify(!editor.isRecording)
            verify(!editor.isCapturing)
            press(0x04)
            compare(editor.actions.length, 0)
        }

        function test_recordingStopsAcceptingAt126Bytes() {
            newMacro("Long")
            editor.isDelayRecorded = false
            editor.startRecording()
            for (var i = 0; i < 50; ++i) {
                press(0x04 + (i % 20))
                release(0x04 + (i % 20))
            }
            editor.stopRecording()
            // 2 bytes of repeat count, 2 per action, 2 of terminator.
            compare(editor.actions.length, 61)
            compare(editor.usedBytes, 126)
            // Inserting is refused too once the limit is reached.
            verify(!editor.insertDelay())
            verify(!editor.insertClick(0))
            compare(editor.actions.length, 61)
        }

        function test_insertActions_data() {
            return [
                { tag: "left", which: 0, name: "MS-L" },
                { tag: "middle", which: 1, name: "MS-M" },
                { tag: "right", which: 2, name: "MS-R" }
            ]
        }
        function test_insertActions(data) {
            newMacro("Edit")
            editor.insertDelay()
            compare(entries(), ["0,50"])
            editor.actionIndex = 0
            verify(editor.insertClick(data.which))
            compare(entries(), ["0,50", "3," + data.name, "4," + data.name])
            // The encoded block carries the button's code as press and release.
            var save = mockBackend.callsOf("ui_View.saveMacroIni").pop()
            compare(save[2], entries())
        }

        function test_insertLeftKeyEncodesF0() {
            newMacro("Shot")
            editor.insertClick(0)
            var bytes = probe.codec.deCode(editor.actionEntries(), editor.repeatCount)
            compare(bytes, [0x00, 0x01, 0x01, 0xF0, 0x81, 0xF0, 0x00, 0x00])
        }

        function test_insertKeyTakesTheNextPress() {
            newMacro("Key")
            editor.beginInsertKey()
            verify(editor.isCapturing)
            release(0x05)
            compare(editor.actions.length, 0)
            press(0x05)
            compare(entries(), ["1,B", "2,B"])
            verify(!editor.isCapturing)
        }

        function test_deleteActionAndDelayEdit() {
            newMacro("Del")
            editor.insertDelay()
            editor.insertClick(2)
            editor.deleteAction(0)
            compare(entries(), ["3,MS-R", "4,MS-R"])
            editor.insertDelay()
            editor.setDelay(editor.actionIndex, "70000")
            compare(editor.actions[editor.actionIndex].info, "65535")
        }

        function test_timesField_data() {
            return [
                { tag: "four digits", text: "1234", repeat: 1234 },
                { tag: "emptied", text: "", repeat: 0 },
                { tag: "zero", text: "0", repeat: 0 }
            ]
        }
        function test_timesField(data) {
            newMacro("Rep")
            editor.setRepeat(data.text)
            compare(editor.repeatCount, data.repeat)
            compare(mockBackend.callsOf("ui_View.saveMacroIni").pop()[3], data.repeat)
        }

        function test_duplicateNameIsRefused() {
            newMacro("Same")
            mockBackend.log = []
            compare(editor.createEntry(0, "Same"), null)
            var warning = findChild(scene, "warningDialog")
            verify(warning.visible)
            compare(warning.text, "Already have a macro with the same name!")
            compare(mockBackend.callsOf("ui_View.createMacroIni").length, 0)
            // A rename onto a sibling's name is refused as well.
            scene.hideDialog(warning)
            var other = newMacro("Other")
            verify(!editor.renameEntry(other, "Same"))
            verify(warning.visible)
            compare(mockBackend.callsOf("ui_View.modifyMacroNameUpdateProfile").length, 0)
        }

        function test_unsafeNamesAreRefused_data() {
            return [
                { tag: "path separator", name: "a/b" },
                { tag: "backslash", name: "a\\b" },
                { tag: "list separator", name: "a,b" },
                { tag: "dots", name: ".." },
                { tag: "trailing dot", name: "name." },
                { tag: "wildcard", name: "a*" },
                { tag: "device name", name: "Con" },
                { tag: "device name with extension", name: "nul.txt" }
            ]
        }
        function test_unsafeNamesAreRefused(data) {
            var warning = findChild(scene, "warningDialog")
            compare(editor.createEntry(0, data.name), null)
            verify(warning.visible)
            compare(warning.text, "This name is not allowed.")
            warning.close()
            var macro = newMacro("Plain")
            verify(!editor.renameEntry(macro, data.name))
            verify(warning.visible)
            warning.close()
            compare(macro.name, "Plain")
            compare(mockBackend.callsOf("ui_View.createMacroIni").length, 1)
            compare(mockBackend.callsOf("ui_View.modifyMacroNameUpdateProfile").length, 0)
        }

        function test_noFolderInsideAFifthLevelFolder() {
            var folder = null
            for (var level = 0; level <= 4; ++level) {
                folder = editor.createEntry(1, "F" + level)
                verify(folder !== null)
                compare(folder.level, level)
            }
            mockBackend.log = []
            editor.selectNode(folder)
            compare(editor.createEntry(1, "Deeper"), null)
            compare(findChild(scene, "warningDialog").text, "Can't add a new folder!")
            compare(mockBackend.callsOf("ui_View.createMacroIni").length, 0)
            // Macros still go in, at level 5, with the chain of five folders.
            editor.selectNode(folder)
            var macro = editor.createEntry(0, "Deep")
            compare(macro.level, 5)
            compare(mockBackend.callsOf("ui_View.createMacroIni")[0], ["Deep", 0, 5, 0])
            var chain = mockBackend.callsOf("ui_View.setMacroSelectName")[0]
            compare(chain, ["F0", "F1", "F2", "F3", "F4"])
        }

        function test_createWritesTheIndexList() {
            var folder = editor.createEntry(1, "Games")
            editor.selectNode(folder)
            mockBackend.log = []
            editor.createEntry(0, "Burst")
            compare(mockBackend.callsOf("ui_View.createMacroIni"), [["Burst", 0, 1, 0]])
            var write = mockBackend.callsOf("ui_View.updataMacroList")[0]
            compare(write.slice(0, 3), [0, 1, "Burst"])
            compare(write[3], ["Burst"])      // names
            compare(write[4], ["0"])          // types
            compare(write[5], ["false"])      // folder icon
            compare(write[7], ["1"])          // level
            compare(write[8], ["0"])          // position of the level-0 ancestor
            compare(write[9], ["-1"])
        }

        // Button index 3 bound to a macro in the current profile, as the
        // button page reads it.
        function bindButton(index, name) {
            mockBackend.profileLists["mouseKeyMatrix/" + index] = [4, 0, index, 0]
            mockBackend.profile["mouseMacroKey/" + index] = name
            findChild(scene, "keyMatrixPage").init(false, false)
        }

        function test_renameUpdatesTheBoundButtonThenRenamesOnDisk() {
            var folder = editor.createEntry(1, "Games")
            editor.selectNode(folder)
            var macro = editor.createEntry(0, "Burst")
            bindButton(3, "Burst")
            var keyPage = findChild(scene, "keyMatrixPage")
            compare(keyPage.entryText(0, 3), "Burst")
            mockBackend.log = []
            verify(editor.renameEntry(macro, "Spray"))
            compare(keyPage.entryText(0, 3), "Spray")
            var names = mockBackend.names()
            // The file first (it alone can be undone without a write), then
            // the index, in one write of the lists that hold the macro.
            verify(names.indexOf("ui_View.modifyMacroNameUpdateProfile") < names.indexOf("ui_View.updataMacroList"))
            var games = mockBackend.callsOf("ui_View.updataMacroList").filter(function(c) { return c[1] === 1 })
            compare(games.length, 1)
            compare(games[0][3], ["Spray"])
            compare(mockBackend.callsOf("ui_View.setData").filter(function(c) { return c[0] === "mouseMacroKey/3" }),
                    [["mouseMacroKey/3", "Spray"]])
            compare(mockBackend.callsOf("ui_View.modifyMacroNameUpdateProfile"), [[1, 0, "Burst", "Spray"]])
            // The file is renamed inside its folder.
            var before = names.lastIndexOf("ui_View.setMacroSelectName", names.indexOf("ui_View.modifyMacroNameUpdateProfile"))
            compare(mockBackend.log[before].args, ["Games", "", "", "", ""])
            // A macro's rename changes no other list: nothing is rescanned.
            compare(mockBackend.callsOf("ui_View.searchMacroFile_sub_batch").length, 0)
            compare(editor.rows.map(function(n) { return n.name }), ["Games", "Spray"])
        }

        // A folder's rename moves the lists below it to the new path; a
        // folder's delete removes them and rewrites the lists below the
        // folders that moved up. No other list is written.
        function test_folderRenameAndDeleteTouchOnlyTheirLists() {
            var games = editor.createEntry(1, "Games")
            editor.selectNode(games)
            var sub = editor.createEntry(1, "Sub")
            editor.selectNode(sub)
            editor.createEntry(0, "Burst")
            editor.selectNode(null)
            var other = editor.createEntry(1, "Other")
            editor.selectNode(other)
            editor.createEntry(0, "Solo")
            // "-group" for a removal, "+chain" for a list stored below the
            // selected chain.
            function groupsWritten() {
                var out = []
                var chain = ""
                mockBackend.log.forEach(function(e) {
                    if (e.name === "ui_View.setMacroSelectName")
                        chain = e.args.join("")
                    else if (e.name === "ui_View.updataMacroList_delOld")
                        out.push("-" + e.args[0])
                    else if (e.name === "ui_View.updataMacroList")
                        out.push("+" + chain)
                })
                return out
            }
            mockBackend.log = []
            verify(editor.renameEntry(games, "Play"))
            compare(groupsWritten(), ["-Games", "-GamesSub", "+", "+Play", "+PlaySub"])
            compare(mockBackend.callsOf("ui_View.modifyMacroNameUpdateProfile"), [[0, 1, "Games", "Play"]])

            mockBackend.log = []
            editor.deleteEntry(games)
            // "Other" moved from place 1 to 0: its list records that.
            compare(groupsWritten(), ["-Play", "-PlaySub", "+", "+Other"])
            var otherList = mockBackend.callsOf("ui_View.updataMacroList").pop()
            compare(otherList[3], ["Solo"])
            compare(otherList[8], ["0"])
            compare(mockBackend.callsOf("ui_View.searchMacroFile_sub_batch").length, 0)
        }

        function test_deleteAfterConfirmation() {
            var macro = newMacro("Gone")
            bindButton(3, "Gone")
            var keyPage = findChild(scene, "keyMatrixPage")
            mockBackend.log = []
            editor.askDelete(macro)
            var confirm = findChild(scene, "macroDeleteConfirm")
            verify(confirm.visible)
            compare(confirm.text, "Confirm delete ?")
            compare(mockBackend.callsOf("ui_View.deleteMacroIni").length, 0)
            mouseClick(findChild(confirm, "confirmOk"))
            verify(!confirm.visible)
            // The bound button is back to its default and the lists are sent at once.
            compare(keyPage.modKeys[3], keyPage.modKeys_tmp[3])
            compare(mockBackend.names().filter(function(n) {
                return n === "ui_View.mouseSetKeyMatrix" || n === "ui_View.deleteMacroUpdateProfile" || n === "ui_View.deleteMacroIni"
            }), ["ui_View.mouseSetKeyMatrix", "ui_View.deleteMacroUpdateProfile", "ui_View.deleteMacroIni"])
            compare(mockBackend.callsOf("ui_View.deleteMacroUpdateProfile"), [["Gone"]])
            compare(mockBackend.callsOf("ui_View.deleteMacroIni"), [[0, 0, "Gone"]])
            compare(editor.rows.length, 0)
            compare(editor.currentMacro, null)
        }

        function test_deleteCancelledKeepsTheMacro() {
            var macro = newMacro("Kept")
            editor.askDelete(macro)
            mouseClick(findChild(findChild(scene, "macroDeleteConfirm"), "confirmCancel"))
            compare(mockBackend.callsOf("ui_View.deleteMacroIni").length, 0)
            compare(editor.rows.length, 1)
        }

        function test_editResendsToBoundButtons() {
            newMacro("Combo")
            bindButton(3, "Combo")
            bindButton(5, "Another")
            mockBackend.log = []
            editor.insertClick(0)
            var sends = mockBackend.callsOf("ui_View.mouseSendMacroData")
            compare(sends.length, 1)
            compare(sends[0][1], 3)
            compare(sends[0][0], [0x00, 0x01, 0x01, 0xF0, 0x81, 0xF0, 0x00, 0x00])
        }

        function test_treeIsReadFromTheNameIndex() {
            mockBackend.nameLists["0"] = ["Games", "Solo"]
            mockBackend.macroTop = { "0": ["1", "0"] }
            mockBackend.macroSub = { "Games": { "4": ["Burst", "emptyslotkey"], "0": ["0", "emptyslotkey"] } }
            mockBackend.macroFiles = { "Burst": { actions: ["1,A", "0,50", "2,A"], repeat: 3 } }
            editor.init(false, false)
            compare(editor.rows.map(function(n) { return n.name }), ["Games", "Solo"])
            var games = editor.rows[0]
            compare(games.children.length, 1)
            compare(games.children[0].name, "Burst")
            compare(games.children[0].level, 1)
            editor.selectNode(games.children[0])
            compare(editor.repeatCount, 3)
            compare(editor.actionEntries(), ["1,A", "0,50", "2,A"])
            compare(mockBackend.callsOf("ui_View.loadMacroIni").pop(), [1, "Burst"])
        }

        function test_batchImportReadsTheNewFolderBack() {
            mockBackend.answers = {
                loadMacroFile_batch: "Pack",
                getMacroFileName_batch: function(level, type) {
                    var last = mockBackend.callsOf("ui_View.searchMacroFile_sub_batch").pop()
                    if (!last)
                        return []
                    if (last[0] === "Pack")
                        return type === 0 ? ["a"] : ["sub"]
                    if (last[0] === "sub")
                        return type === 0 ? ["b"] : []
                    return []
                }
            }
            editor.batchImport()
            compare(mockBackend.callsOf("ui_View.loadMacroFile_sub_batch").length, 1)
            var pack = editor.tree.children[0]
            compare(pack.name, "Pack")
            compare(pack.children.map(function(n) { return n.name + ":" + n.type }), ["a:0", "sub:1"])
            compare(pack.children[1].children.map(function(n) { return n.name }), ["b"])
            // A second import of the same folder name is refused.
            mockBackend.log = []
            editor.batchImport()
            compare(mockBackend.callsOf("ui_View.loadMacroFile_sub_batch").length, 0)
            compare(findChild(scene, "warningDialog").text, "Already have a macro with the same name!")
        }

        function test_importAndExport() {
            var folder = editor.createEntry(1, "Games")
            editor.selectNode(folder)
            mockBackend.answers = { loadMacroFile: "Imported" }
            mockBackend.log = []
            editor.importMacro()
            compare(mockBackend.callsOf("ui_View.loadMacroFile"), [[0, 1]])
            compare(folder.children[0].name, "Imported")
            editor.exportMacro(folder.children[0])
            compare(mockBackend.callsOf("ui_View.saveMacroFile"), [[1, "Imported"]])
            compare(mockBackend.callsOf("ui_View.setMacroSelectName").pop(), ["Games", "", "", "", ""])
        }

        function test_batchExportParentsFirst() {
            var folder = editor.createEntry(1, "Games")
            editor.selectNode(folder)
            editor.createEntry(0, "Burst")
            editor.selectNode(null)
            editor.createEntry(0, "Solo")
            mockBackend.log = []
            editor.batchExport()
            compare(mockBackend.names().filter(function(n) { return n.indexOf("batch") >= 0 || n.indexOf("Path") >= 0 }),
                    ["ui_View.getbatchPath", "ui_View.saveMacroFile_batch", "ui_View.saveMacroFile_batch"])
            compare(mockBackend.callsOf("ui_View.saveMacroFile_batch"),
                    [[0, ["Games", "Solo"], [1, 0]], [1, ["Burst"], [0]]])
        }
    }

    // The encoder, as the scene's pages use it.
    Item {
        id: probe
        property var codec: null
        Component.onCompleted: {
            codec = Qt.createQmlObject('import QtQml\nimport "qrc:/modules/qml/common/macrocodec.js" as C\nQtObject { function deCode(a, r) { return C.deCode(a, r) } }', probe)
        }
    }
}

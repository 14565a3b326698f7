import QtQuick
import QtTest

// The DPI page, the system settings page and the profile manager, driven
// through the scene against the recording mock backend.
Item {
    id: host
    width: 1280
    height: 720

    TestCase {
        id: test
        name: "SettingPages"
        when: windowShown

        property var scene: null

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
            mockBackend.globals["mouse/minDPI"] = "100"
            mockBackend.globals["mouse/maxDPI"] = "12000"
            mockBackend.globals["mouse/dpiBase"] = "100"
            mockBackend.globals["mouse/sensorType"] = "3360"
            mockBackend.profile["mouse/dpiCount"] = "8"
            mockBackend.profile["mouse/currentDpiCount"] = "6"
            mockBackend.profileLists["mouse/dpiValueArray"] = ["400", "800", "1200", "1600", "2400", "3200", "6400", "12000"]
            mockBackend.profileLists["mouse/dpiEnableArray"] = ["1", "1", "1", "1", "1", "1", "0", "0"]
            mockBackend.profileLists["mouse/dpiColorArray"] = ["#ff0000", "#00ff00", "#0000ff", "#ffff00", "#00ffff", "#ff00ff"]
            mockBackend.profile["mouse/mouseRate"] = "138"
            mockBackend.profile["mouse/doubleRate"] = "138"
            mockBackend.profile["mouse/scrollRate"] = "3"
            mockBackend.profile["mouse/lod"] = "3"
            mockBackend.profile["mouse/lodEn"] = "1"
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            compare(component.status, Component.Ready, component.errorString())
            scene = createTemporaryObject(component, host)
            scene.setScreenRect(1280, 720, false)
            useDefaultTextsAsEnglish()
            scene.initUI()
            scene.setProtectUI(0)
            tryVerify(function() { return scene.isUiShown }, 2000)
            mockBackend.log = []
        }

        function dpiPage() { return findChild(scene, "dpiPage") }
        function systemPage() { return findChild(scene, "systemPage") }
        function profiles() { return findChild(scene, "profileManager") }
        function stageRow(i) { return findChild(dpiPage(), "stageRow" + i) }

        // ---- DPI ----

        function test_sliderEndsGiveTheLimits_data() {
            return [
                { tag: "left end", x: 0, value: 100 },
                { tag: "right end", x: 1000, value: 12000 }
            ]
        }

        function test_sliderEndsGiveTheLimits(data) {
            var slider = findChild(stageRow(2), "slider")
            mousePress(slider, Math.min(data.x, slider.width - 1), slider.height / 2)
            mouseRelease(slider, Math.min(data.x, slider.width - 1), slider.height / 2)
            compare(dpiPage().dpiValues[2], data.value)
            compare(findChild(stageRow(2), "valueText").text, String(data.value))
            verify(dpiPage().isSave)
        }

        function test_sliderFormula_data() {
            // trunc(((p - 3) x (12000 - 100) / 417 + 100) / 100) x 100
            return [
                { tag: "p 3", p: 3, value: 100 },
                { tag: "p 45", p: 45, value: 1200 },
                { tag: "p 212", p: 212, value: 6000 },
                { tag: "p 420", p: 420, value: 12000 }
            ]
        }

        function test_sliderFormula(data) {
            dpiPage().moveSlider(1, data.p)
            compare(dpiPage().dpiValues[1], data.value)
        }

        function test_plusAndMinusStopAtTheLimits() {
            var page = dpiPage()
            mouseClick(findChild(stageRow(7), "plus"))
            compare(page.dpiValues[7], 12000)
            verify(!page.isSave)
            mouseClick(findChild(stageRow(7), "minus"))
            compare(page.dpiValues[7], 11900)
            verify(page.isSave)
            page.isSave = false
            page.moveSlider(0, 0)
            mouseClick(findChild(stageRow(0), "minus"))
            compare(page.dpiValues[0], 100)
            mouseClick(findChild(stageRow(0), "plus"))
            compare(page.dpiValues[0], 200)
        }

        function test_stageCountIsCutToTheModel() {
            mockBackend.profile["mouse/dpiCount"] = "4"
            dpiPage().init(false, false)
            var drop = findChild(dpiPage(), "stageCountDropDown")
            compare(drop.model, ["1", "2", "3", "4"])
            compare(dpiPage().stageCount, 4)
        }

        function test_swatchTakesAStageColour() {
            mouseClick(findChild(stageRow(0), "swatch"))
            var dialog = findChild(scene, "dpiColorDialog")
            verify(dialog.visible)
            mouseClick(findChild(dialog, "colorChoice6"))
            verify(!dialog.visible)
            compare(dpiPage().dpiColors[0], "#ff8000")
            verify(dpiPage().isSave)
        }

        function test_savingSendsStagesAndColours() {
            var page = dpiPage()
            page.moveSlider(0, 0)
            page.setStageCount(5)
            page.setStageColor(1, "#ffffff")
            mouseClick(findChild(scene, "saveButton"))
            compare(mockBackend.names("ui_View.mouse"), ["ui_View.mouseSetDpi", "ui_View.mouseSetRGBColor"])
            var values = [100, 800, 1200, 1600, 2400, 3200, 6400, 12000]
            var enables = [1, 1, 1, 1, 1, 0, 0, 0]
            compare(mockBackend.callsOf("ui_View.mouseSetDpi"), [[5, "3360", values, enables]])
            compare(mockBackend.callsOf("ui_View.mouseSetRGBColor"), [[1, [
                255, 0, 0, 255, 255, 255, 0, 0, 255, 255, 255, 0, 0, 255, 255, 255, 0, 255,
                255, 255, 255, 255, 255, 255]]])
            compare(mockBackend.callsOf("ui_View.setDataList"), [
                ["mouse/dpiValueArray", values], ["mouse/dpiEnableArray", enables],
                ["mouse/dpiColorArray", ["#ff0000", "#ffffff", "#0000ff", "#ffff00", "#00ffff", "#ff00ff"]]])
            compare(mockBackend.callsOf("ui_View.setData"), [["mouse/currentDpiCount", 5]])
            verify(!page.isSave)
        }

        function test_currentStageHighlight() {
            scene.setCurrentDPI(4)
            verify(stageRow(3).active)
            verify(!stageRow(0).active)
            mockBackend.currentDpi = 0
            scene.initUI()
            compare(dpiPage().currentStage, -1)
        }

        // ---- system settings ----

        function test_speedIndex_data() {
            return [
                { tag: "0", pos: "0", index: 0 },
                { tag: "4", pos: "4", index: 1 },
                { tag: "138", pos: "138", index: 5 },
                { tag: "337", pos: "337", index: 10 },
                // The track ends on the last threshold: its end is the fastest.
                { tag: "338 the end of the track", pos: "338", index: 10 },
                { tag: "stored beyond the track", pos: "400", index: 0 }
            ]
        }

        function test_speedIndex(data) {
            mockBackend.profile["mouse/mouseRate"] = data.pos
            mockBackend.profile["mouse/doubleRate"] = data.pos
            systemPage().init(true, false)
            compare(mockBackend.callsOf("ui_View.mouseSetCursorSpeed"), [[data.index]])
            compare(mockBackend.callsOf("ui_View.mouseSetDoubleClickSpeed"), [[data.index]])
        }

        // Stored choices 0 to 3 are sent as 8, 4, 2, 1; anything else is 1000 Hz.
        function test_reportRate_data() {
            return [
                { tag: "125 Hz", stored: "0", shown: "125 Hz", sent: 8 },
                { tag: "250 Hz", stored: "1", shown: "250 Hz", sent: 4 },
                { tag: "500 Hz", stored: "2", shown: "500 Hz", sent: 2 },
                { tag: "1000 Hz", stored: "3", shown: "1000 Hz", sent: 1 },
                { tag: "missing", stored: undefined, shown: "1000 Hz", sent: 1 },
                { tag: "out of range", stored: "9", shown: "1000 Hz", sent: 1 }
            ]
        }

        function test_reportRate(data) {
            mockBackend.profile["mouse/reportRate"] = data.stored
            systemPage().init(true, false)
            compare(findChild(systemPage(), "reportRateDropDown").currentText, data.shown)
            compare(mockBackend.callsOf("ui_View.mouseSetReportRate"), [[data.sent]])
        }

        // A control shows its data: a choice goes through the page, and
        // loading other data moves the control again.
        function test_controlsOnlyShowTheirData() {
            var page = systemPage()
            scene.selectTab(2)
            var dropDown = findChild(page, "reportRateDropDown")
            compare(dropDown.currentIndex, 3)
            dropDown.activated(1)
            compare(page.reportRate, 1)
            compare(dropDown.currentIndex, 1)
            mockBackend.profile["mouse/reportRate"] = "2"
            page.init(false, false)
            compare(dropDown.currentIndex, 2)
        }

        function test_liftOffSnaps_data() {
            return [
                { tag: "left", at: 0.0, pos: 3, value: 125 },
                { tag: "middle", at: 0.5, pos: 168, value: 108 },
                { tag: "right", at: 0.98, pos: 330, value: 90 }
            ]
        }

        function test_liftOffSnaps(data) {
            var page = systemPage()
            scene.selectTab(2)
            var slider = findChild(page, "lodSlider")
            mouseClick(slider, slider.width * data.at, slider.height / 2)
            compare(page.lod, data.pos)
            mockBackend.log = []
            page.saveData()
            compare(mockBackend.callsOf("ui_View.mouseSetLodValue"), [[data.value, 1]])
            var stored = mockBackend.callsOf("ui_View.setData").filter(function(a) { return a[0] === "mouse/lod" })
            compare(stored, [["mouse/lod", data.pos]])
        }

        function test_scrollOneScreen() {
            var page = systemPage()
            scene.selectTab(2)
            mouseClick(findChild(page, "oneScreenBox"))
            verify(page.isSave)
            mouseClick(findChild(scene, "saveButton"))
            compare(mockBackend.callsOf("ui_View.mouseSetVerticalScrollLines"), [[1000]])
            // Only the scroll lines changed: the speeds are not sent.
            compare(mockBackend.callsOf("ui_View.mouseSetCursorSpeed").length, 0)
            compare(mockBackend.callsOf("ui_View.mouseSetLodValue").length, 1)
            mockBackend.profile["mouse/scrollRate"] = "1000"
            page.init(false, false)
            verify(findChild(page, "oneScreenBox").checked)
            mockBackend.profile["mouse/scrollRate"] = "101"
            page.init(false, false)
            verify(findChild(page, "oneScreenBox").checked)
            mockBackend.profile["mouse/scrollRate"] = "100"
            page.init(false, false)
            verify(!findChild(page, "oneScreenBox").checked)
        }

        function test_saveSteps_data() {
            return [
                { tag: "0 all", step: 0, calls: ["ui_View.mouseSetCursorSpeed", "ui_View.mouseSetDoubleClickSpeed",
                                                 "ui_View.mouseSetVerticalScrollLines", "ui_View.mouseSetLodValue",
                                                 "ui_View.mouseSetReportRate"] },
                { tag: "1 pointer", step: 1, calls: ["ui_View.mouseSetCursorSpeed", "ui_View.mouseSetLodValue", "ui_View.mouseSetReportRate"] },
                { tag: "2 double click", step: 2, calls: ["ui_View.mouseSetDoubleClickSpeed", "ui_View.mouseSetLodValue", "ui_View.mouseSetReportRate"] },
                { tag: "3 scroll", step: 3, calls: ["ui_View.mouseSetVerticalScrollLines", "ui_View.mouseSetLodValue", "ui_View.mouseSetReportRate"] }
            ]
        }

        function test_saveSteps(data) {
            systemPage().saveData(data.step)
            compare(mockBackend.names("ui_View.mouse"), data.calls)
        }

        // ---- profile manager ----

        function test_profileListStopsAtSix() {
            var pm = profiles()
            mouseClick(findChild(scene, "configButton"))
            verify(pm.visible)
            for (var i = 0; i < 6; ++i)
                mouseClick(findChild(pm, "newProfileButton"))
            compare(pm.profileNames, ["Standard", "profile_0", "profile_1", "profile_2", "profile_3", "profile_4"])
            compare(pm.profileSlots, [0, 1, 2, 3, 4, 5])
            compare(mockBackend.callsOf("ui_View.resetProfile"), [[2], [3], [4], [5]])
            compare(mockBackend.nameLists["2"], ["Standard0", "profile_01", "profile_12", "profile_23", "profile_34", "profile_45"])
            compare(findChild(scene, "profileDropDown").model.length, 6)
            // Import into a full list does nothing either.
            verify(!pm.importProfile())
            compare(mockBackend.callsOf("ui_View.loadProfile").length, 0)
        }

        function test_newTakesTheFirstFreeNameAndSlot() {
            mockBackend.nameLists["2"] = ["Standard0", "profile_03", "FPS1"]
            var pm = profiles()
            pm.init(false, false)
            verify(pm.newProfile())
            compare(pm.profileNames[3], "profile_1")
            compare(pm.profileSlots[3], 2)
        }

        function test_deleteRules_data() {
            return [
                { tag: "first entry", index: 0, deleted: false },
                { tag: "profile in use", index: 2, deleted: false },
                { tag: "another profile", index: 1, deleted: true }
            ]
        }

        function test_deleteRules(data) {
            mockBackend.nameLists["2"] = ["Standard0", "profile_01", "FPS3"]
            scene.changeProfile(3)
            var pm = profiles()
            pm.init(false, false)
            scene.showDialog(pm)
            pm.selectedIndex = data.index
            mockBackend.log = []
            mouseClick(findChild(pm, "deleteProfileButton"))
            var confirm = findChild(pm, "deleteConfirm")
            compare(confirm.visible, data.deleted)
            if (data.deleted)
                mouseClick(findChild(pm, "deleteOk"))
            compare(pm.profileNames.length, data.deleted ? 2 : 3)
            compare(mockBackend.callsOf("ui_View.updataNameList"), data.deleted ? [[2, ["Standard0", "FPS3"]]] : [])
            compare(mockBackend.callsOf("ui_View.resetProfile").length, 0)
        }

        function test_deleteCanBeCancelled() {
            var pm = profiles()
            verify(pm.requestDelete(1))
            mouseClick(findChild(scene, "configButton"))
            mouseClick(findChild(pm, "deleteCancel"))
            compare(pm.profileNames, ["Standard", "profile_0"])
            compare(mockBackend.callsOf("ui_View.updataNameList").length, 0)
        }

        function test_rename_data() {
            return [
                { tag: "new name", index: 1, name: "MOBA", ok: true },
                { tag: "existing name", index: 1, name: "Standard", ok: false },
                { tag: "empty", index: 1, name: "   ", ok: false },
                { tag: "first entry", index: 0, name: "Mine", ok: false }
            ]
        }

        function test_rename(data) {
            var pm = profiles()
            mouseClick(findChild(scene, "configButton"))
            compare(pm.rename(data.index, data.name), data.ok)
            compare(mockBackend.callsOf("ui_View.updataNameList").length, data.ok ? 1 : 0)
            compare(pm.profileNames[data.index], data.ok ? data.name : ["Standard", "profile_0"][data.index])
            if (data.tag === "existing name")
                compare(pm.editError, "A profile with this name already exists.")
        }

        function test_renameByDoubleClick() {
            var pm = profiles()
            mouseClick(findChild(scene, "configButton"))
            var row = findChild(pm, "profileRow1")
            mouseDoubleClickSequence(row, 20, 10)
            var input = findChild(row, "renameInput")
            verify(input.visible)
            input.selectAll()
            keyClick(Qt.Key_X)
            keyClick(Qt.Key_Return)
            compare(pm.profileNames[1], "x")
            compare(mockBackend.callsOf("ui_View.updataNameList"), [[2, ["Standard0", "x1"]]])
            // Renaming a profile not in use does not switch to it.
            wait(Qt.styleHints.mouseDoubleClickInterval + 100)
            compare(scene.profileNo, 0)
            compare(mockBackend.callsOf("ui_View.setCurrentProfile"), [])
        }

        function test_fullListSaysWhy() {
            mockBackend.nameLists = { "2": ["Standard0", "a1", "b2", "c3", "d4", "e5"] }
            var pm = profiles()
            pm.init(false, false)
            compare(pm.profileNames.length, 6)
            verify(!pm.importProfile())
            compare(pm.editError, "Six profiles are the most there can be. Delete one first.")
            compare(mockBackend.callsOf("ui_View.loadProfile"), [])
            pm.editError = ""
            verify(!pm.newProfile())
            compare(pm.editError, "Six profiles are the most there can be. Delete one first.")
        }

        // A hint of several lines pushes the list down instead of running under it.
        function test_longHintIsNotCovered() {
            var pm = profiles()
            mouseClick(findChild(scene, "configButton"))
            var lang = pm.profileLang.slice()
            lang[10] = "Doppelklicken Sie auf einen Namen, um ihn umzubenennen; Rechtsklick darauf, um zu exportieren oder zu importieren."
            pm.profileLang = lang
            var row = findChild(pm, "profileRow0")
            var hint = findChild(pm, "profileHint")
            verify(hint.lineCount > 1)
            verify(row.mapToItem(pm, 0, 0).y >= hint.mapToItem(pm, 0, hint.height).y)
            pm.close()
        }

        function test_exportAndImport() {
            var pm = profiles()
            mouseClick(findChild(scene, "configButton"))
            mouseClick(findChild(pm, "profileRow1"), 20, 10, Qt.RightButton)
            var menu = findChild(pm, "profileContextMenu")
            verify(menu.visible)
            mouseClick(findChild(menu, "exportItem"))
            compare(mockBackend.callsOf("ui_View.saveProfile"), [[1, "profile_0"]])

            // A cancelled import leaves the list as it was.
            mockBackend.importAnswer = false
            mouseClick(findChild(pm, "profileRow1"), 20, 10, Qt.RightButton)
            mouseClick(findChild(menu, "importItem"))
            compare(mockBackend.callsOf("ui_View.loadProfile"), [[2]])
            compare(pm.profileNames, ["Standard", "profile_0"])
            compare(mockBackend.nameLists["2"], ["Standard0", "profile_01"])

            mockBackend.importAnswer = true
            verify(pm.importProfile())
            compare(pm.profileNames, ["Standard", "profile_0", "profile_1"])
            compare(mockBackend.nameLists["2"], ["Standard0", "profile_01", "profile_12"])
        }

        function test_choosingAnEntryChangesTheProfile() {
            var pm = profiles()
            mouseClick(findChild(scene, "configButton"))
            mouseClick(findChild(pm, "profileRow1"))
            // The switch waits out the double-click time.
            compare(scene.profileNo, 0)
            tryCompare(scene, "profileNo", 1)
            compare(mockBackend.callsOf("ui_View.setCurrentProfile"), [[1]])
            compare(findChild(scene, "profileDropDown").currentIndex, 1)
        }
    }
}

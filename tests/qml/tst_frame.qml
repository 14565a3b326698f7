import QtQuick
import QtTest

// The frame's contract with the native side and its three orchestrations,
// driven against the recording mock backend.
Item {
    id: host
    width: 1280
    height: 720

    TestCase {
        id: test
        name: "Frame"
        when: windowShown

        readonly property var pageNames: ["profileManager", "gunEditor", "keyAssigmentDialog",
            "keyMatrixPage", "dpiPage", "lightPage", "systemPage"]

        // Calls the pages make while they load and send their values; the
        // frame's own sequence is checked without them.
        readonly property var pageCallNames: ["ui_View.mouseGetKeydefine", "ui_View.mouseSetKeyMatrix",
            "ui_View.getGunData", "ui_View.getDataList", "ui_View.setDataList", "ui_View.setData",
            "ui_View.mouseSetDpi", "ui_View.mouseSetRGBColor", "ui_View.mouseSetCursorSpeed",
            "ui_View.mouseSetDoubleClickSpeed", "ui_View.mouseSetVerticalScrollLines", "ui_View.mouseSetLodValue",
            "ui_View.mouseSetReportRate",
            "ui_View.mouseSetLedType", "ui_View.mouseSaveGundata", "ui_View.mouseSendGundata"]
        readonly property var frameKeys: ["mouse/isColorful", "mouse/icType", "mouse/is55328", "mouse/isGun",
            "mouse/keyCount", "common/language", "mouse/profileNo", "mouse/mouseMode"]

        function isFrameCall(entry) {
            if (pageCallNames.indexOf(entry.name) >= 0)
                return false
            if (entry.name === "ui_View.getGlobalData" || entry.name === "ui_View.getData")
                return frameKeys.indexOf(entry.args[0]) >= 0
            // The gun editor's reset stores its selectors.
            if (entry.name === "ui_View.setGlobalData")
                return entry.args[0] !== "mouse/selectGun"
            return true
        }

        function frameNames() {
            return mockBackend.log.filter(isFrameCall).map(function(e) { return e.name })
        }

        function frameCallsOf(name) {
            return mockBackend.log.filter(function(e) { return e.name === name && isFrameCall(e) })
                                  .map(function(e) { return e.args })
        }

        function init() {
            failOnWarning(/.*/)
            mockBackend.reset()
        }

        function createScene() {
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            compare(component.status, Component.Ready, component.errorString())
            var scene = createTemporaryObject(component, host)
            scene.setScreenRect(1280, 720, false)
            return scene
        }

        // A scene after its first initUI, unlocked, with the call log emptied.
        function startedScene() {
            var scene = createScene()
            scene.initUI()
            scene.setProtectUI(0)
            tryVerify(function() { return scene.isUiShown }, 2000)
            mockBackend.log = []
            return scene
        }

        // Records page loads and saves as "name.init(send,recovery)" / "name.save".
        function watchPages(scene) {
            var events = []
            pageNames.forEach(function(n) {
                var page = findChild(scene, n)
                page.pageInitialised.connect(function(s, r) { events.push(n + ".init(" + s + "," + r + ")") })
                page.pageSaved.connect(function() { events.push(n + ".save") })
            })
            return events
        }

        function test_initUiRunsTheOneTimePartOnce() {
            var scene = createScene()
            var events = watchPages(scene)
            var dropDownInits = 0
            scene.initDropDownList.connect(function() { ++dropDownInits })
            mockBackend.currentDpi = 3

            scene.initUI()
            verify(scene.isPownOn)
            compare(frameNames(), [
                "ui_View.setEnabled",
                "ui_View.getGlobalData", "ui_View.getGlobalData", "ui_View.getGlobalData",
                "ui_View.getGlobalData", "ui_View.getGlobalData", "ui_View.getData",
                "ui_View.getGlobalData",
                "ui_View.getLangStrings", "ui_View.getLangStrings", "ui_View.getLangStrings",
                "ui_View.getLangStrings", "ui_View.getLangStrings", "ui_View.getLangStrings",
                "ui_View.getLangStrings", "ui_View.getLangStrings", "ui_View.getLangStrings",
                "ui_View.getLangStrings", "ui_View.getLangStrings", "ui_View.getLangStrings",
                "ui_View.getLangStrings",
                "ui_View.getGlobalData", "ui_View.getNameList", "ui_View.setCurrentProfile",
                "ui_View.mouseGetCurrentDPI"])
            compare(frameCallsOf("ui_View.getGlobalData").map(function(a) { return a[0] }),
                    ["mouse/isColorful", "mouse/icType", "mouse/is55328", "mouse/isGun",
                     "mouse/keyCount", "common/language", "mouse/profileNo"])
            compare(frameCallsOf("ui_View.getData"), [["mouse/mouseMode", false]])
            compare(mockBackend.callsOf("ui_View.getLangStrings").map(function(a) { return a[0] }),
                    ["keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor",
                     "systemSetting", "gunControl", "profile", "keyCode", "warningAssigment", "programRules",
                     "keyHints", "other"])
            compare(events, pageNames.map(function(n) { return n + ".init(false,false)" }))
            compare(dropDownInits, 1)
            compare(findChild(scene, "dpiPage").currentStage, 2)

            // Later detection runs only lock and re-read the DPI stage.
            mockBackend.log = []
            mockBackend.currentDpi = 1
            scene.initUI()
            compare(mockBackend.names(), ["ui_View.setEnabled", "ui_View.mouseGetCurrentDPI"])
            compare(events.length, pageNames.length)
            compare(dropDownInits, 1)
            compare(findChild(scene, "dpiPage").currentStage, 0)
        }

        function test_globalValuesAreReadAsText_data() {
            return [
                { tag: "553 with gun", icType: "553", gun: "true", colorful: "false", keys: "14", mode: "0" },
                { tag: "560 without gun", icType: "560", gun: "false", colorful: "true", keys: "8", mode: "1" }
            ]
        }

        function test_globalValuesAreReadAsText(data) {
            mockBackend.globals["mouse/icType"] = data.icType
            mockBackend.globals["mouse/isGun"] = data.gun
            mockBackend.globals["mouse/isColorful"] = data.colorful
            mockBackend.globals["mouse/keyCount"] = data.keys
            mockBackend.profile["mouse/mouseMode"] = data.mode
            var scene = createScene()
            scene.initUI()
            compare(scene.icType, data.icType)
            compare(scene.isGun, data.gun === "true")
            compare(scene.isColorful, data.colorful === "true")
            compare(scene.mouseMode, Number(data.mode))
            compare(findChild(scene, "keyMatrixPage").mouseKeyCount, Number(data.keys))
            compare(findChild(scene, "keyMatrixPage").mouseMode, Number(data.mode))
        }

        function test_profileFixUpOn560_data() {
            return [
                { tag: "553 never asks", icType: "553", device: 3, reads: 0, sets: [] },
                { tag: "560 on profile 1", icType: "560", device: 1, reads: 1, sets: [] },
                { tag: "560 on profile 3", icType: "560", device: 3, reads: 1, sets: [[1]] },
                { tag: "560 not answering", icType: "560", device: 0, reads: 1, sets: [[1]] }
            ]
        }

        function test_profileFixUpOn560(data) {
            mockBackend.globals["mouse/icType"] = data.icType
            mockBackend.deviceProfile = data.device
            var scene = createScene()
            scene.initUI()
            compare(mockBackend.callsOf("ui_View.mouseReadCurrentProfile").length, data.reads)
            compare(mockBackend.callsOf("hid.hid560_02H_SetCurrentProfile"), data.sets)
            scene.initUI()
            compare(mockBackend.callsOf("ui_View.mouseReadCurrentProfile").length, data.reads)
        }

        function test_setCurrentDpi_data() {
            return [
                { tag: "0 is ignored", value: 0, stage: 4 },
                { tag: "stage 1", value: 1, stage: 0 },
                { tag: "stage 8", value: 8, stage: 7 },
                { tag: "text from a queued call", value: "3", stage: 2 }
            ]
        }

        function test_setCurrentDpi(data) {
            var scene = createScene()
            var dpi = findChild(scene, "dpiPage")
            dpi.selectStage(4)
            scene.setCurrentDPI(data.value)
            compare(dpi.currentStage, data.stage)
            compare(mockBackend.log.length, 0)
        }

        function test_language_data() {
            return [
                { tag: "English", name: "English", index: 0, language: "English" },
                { tag: "ChineseTraditional", name: "ChineseTraditional", index: 2, language: "ChineseTraditional" },
                { tag: "Spanish", name: "Spanish", index: 6, language: "Spanish" },
                { tag: "unknown name", name: "Klingon", index: 3, language: "German" },
                { tag: "wrong case", name: "english", index: 3, language: "German" },
                { tag: "missing key", name: undefined, index: 3, language: "German" }
            ]
        }

        function test_language(data) {
            var scene = createScene()
            scene.setLangIndex("German")
            mockBackend.globals["common/language"] = data.name
            scene.initUI()
            compare(scene.langIndex, data.index)
            compare(scene.language, data.language)
            // Every group is fetched in the language actually in use.
            mockBackend.callsOf("ui_View.getLangStrings").forEach(function(args) {
                compare(args[1], data.language)
            })
        }

        function test_languageGroupsReplaceTheTexts() {
            mockBackend.globals["common/language"] = "French"
            var titles = []
            for (var i = 0; i < 20; ++i)
                titles.push("t" + i)
            titles[17] = "SOURIS"
            titles[19] = "RÉGLAGES"
            mockBackend.languages = { "French": { "keyMatrix": titles, "keyCode": ["A", "B"] } }
            var scene = createScene()
            scene.initUI()
            compare(findChild(scene, "keyMatrixPage").keyMatrixLang, titles)
            compare(findChild(scene, "tab0").text, "SOURIS")
            compare(findChild(scene, "tab2").text, "RÉGLAGES")
            // A group the file lacks leaves an empty array.
            compare(findChild(scene, "dpiPage").dpiSettingLang, [])
            compare(findChild(scene, "warningDialog").warningAssigmentLang, [])
            compare(findChild(scene, "keyCodeString").keyCodeLang, ["A", "B"])
            verify(scene.fontFamily.indexOf("CJK") >= 0 || scene.fontFamily === "微软正黑体")
        }

        function test_missingLanguageFileKeepsTheTexts() {
            mockBackend.globals["common/language"] = "Italian"
            var scene = createScene()
            scene.initUI()
            compare(scene.language, "Italian")
            compare(mockBackend.callsOf("ui_View.getLangStrings").length, 13)
            compare(findChild(scene, "tab0").text, "MOUSE MACRO")
            compare(findChild(scene, "dpiPage").dpiSettingLang.length > 0, true)
        }

        function test_englishUsesTheCompiledInFont() {
            var scene = createScene()
            scene.initUI()
            compare(scene.langIndex, 0)
            tryCompare(scene, "fontFamily", "Rajdhani")
            // Before a language is loaded the tabs show the English defaults.
            var fresh = createScene()
            compare(findChild(fresh, "tab0").text, "MOUSE MACRO")
            compare(findChild(fresh, "tab1").text, "BACKLIGHT")
            compare(findChild(fresh, "tab2").text, "SETTINGS")
        }

        function test_saveAllDataSendsUnsavedPagesInOrder_data() {
            return [
                { tag: "nothing unsaved", dirty: [], saved: [], locks: false },
                { tag: "all four", dirty: ["systemPage", "lightPage", "dpiPage", "keyMatrixPage"],
                  saved: ["keyMatrixPage.save", "dpiPage.save", "lightPage.save", "systemPage.save"], locks: true },
                { tag: "DPI and system", dirty: ["systemPage", "dpiPage"],
                  saved: ["dpiPage.save", "systemPage.save"], locks: true },
                { tag: "system only", dirty: ["systemPage"], saved: ["systemPage.save"], locks: false },
                { tag: "lighting only", dirty: ["lightPage"], saved: ["lightPage.save"], locks: true }
            ]
        }

        function test_saveAllDataSendsUnsavedPagesInOrder(data) {
            var scene = startedScene()
            var events = watchPages(scene)
            var save = findChild(scene, "saveButton")
            data.dirty.forEach(function(n) { findChild(scene, n).isSave = true })
            compare(save.textColor, data.dirty.length > 0 ? scene.colorAccent : scene.fontColor)

            mouseClick(save)
            compare(events, data.saved)
            compare(mockBackend.callsOf("ui_View.setEnabled"), data.locks ? [[false], [true]] : [[true]])
            ;["keyMatrixPage", "dpiPage", "lightPage", "systemPage"].forEach(function(n) {
                verify(!findChild(scene, n).isSave, n)
            })
            compare(save.textColor, scene.fontColor)
            compare(mockBackend.callsOf("ui_Ctl.onMinimize").length, 0)
        }

        // A lock that names what it waits for shows the name after half a
        // second; a lock without one (the start-up lock) never does, and the
        // note goes with the lock.
        function test_longLockShowsWhatItWaitsFor_data() {
            return [
                { tag: "named", text: "Sending profile…", shown: true },
                { tag: "unnamed", text: undefined, shown: false },
            ]
        }
        function test_longLockShowsWhatItWaitsFor(data) {
            var scene = startedScene()
            var busy = findChild(scene, "busyIndicator")
            var note = findChild(scene, "transferProgress")
            var delay = findChild(scene, "progressDelay")
            scene.controlUIEnable(false, data.text)
            verify(busy.visible)
            verify(!note.visible)
            compare(delay.running, data.shown)
            if (delay.running)
                delay.triggered()
            compare(note.visible, data.shown)
            compare(findChild(scene, "transferProgressText").text, data.shown ? data.text : "")
            scene.controlUIEnable(true)
            verify(!busy.visible)
            verify(!note.visible)
        }

        function test_okSavesThenMinimises() {
            var scene = startedScene()
            var events = watchPages(scene)
            findChild(scene, "keyMatrixPage").isSave = true
            mouseClick(findChild(scene, "okButton"))
            compare(events, ["keyMatrixPage.save"])
            compare(mockBackend.names("ui_Ctl"), ["ui_Ctl.onMinimize"])
        }

        function test_resetAllDate_data() {
            return [
                { tag: "with gun", gun: "true", profile: "3",
                  calls: ["ui_View.setEnabled", "ui_View.resetProfile", "ui_View.mouseSwitchKeyMatrix",
                          "ui_View.mouseResetKeyMatrix", "ui_View.mouseSetCurrentDPI", "ui_View.setEnabled"] },
                { tag: "without gun", gun: "false", profile: "0",
                  calls: ["ui_View.setEnabled", "ui_View.resetProfile", "ui_View.mouseSetCurrentDPI",
                          "ui_View.setEnabled"] }
            ]
        }

        function test_resetAllDate(data) {
            mockBackend.globals["mouse/isGun"] = data.gun
            mockBackend.globals["mouse/profileNo"] = data.profile
            mockBackend.nameLists = { "2": ["Standard0", "profile_03"] }
            mockBackend.profile["mouse/mouseMode"] = "1"
            var scene = startedScene()
            compare(scene.mouseMode, 1)
            var events = watchPages(scene)
            var officeClicks = 0
            scene.clickOfficeMode.connect(function() { ++officeClicks })
            ;["keyMatrixPage", "dpiPage", "lightPage", "systemPage"].forEach(function(n) {
                findChild(scene, n).isSave = true
            })

            var confirm = findChild(scene, "confirmDialog")
            mouseClick(findChild(scene, "resetButton"))
            verify(confirm.visible)
            verify(findChild(scene, "mainMask").visible)
            compare(mockBackend.log.length, 0)

            mouseClick(findChild(confirm, "confirmOk"))
            verify(!confirm.visible)
            verify(!findChild(scene, "mainMask").visible)
            compare(frameNames(), data.calls)
            compare(mockBackend.callsOf("ui_View.setEnabled"), [[false], [true]])
            compare(mockBackend.callsOf("ui_View.resetProfile"), [[Number(data.profile)]])
            compare(mockBackend.callsOf("ui_View.mouseSetCurrentDPI"), [[2]])
            if (data.gun === "true")
                compare(mockBackend.callsOf("ui_View.mouseSwitchKeyMatrix"), [[1]])
            compare(events, ["keyMatrixPage.init(true,false)", "dpiPage.init(true,false)",
                             "lightPage.init(true,false)", "systemPage.init(true,false)"])
            compare(scene.mouseMode, 0)
            compare(officeClicks, 1)
            compare(findChild(scene, "dpiPage").currentStage, 1)
            verify(!scene.hasUnsavedChanges)
        }

        function test_resetCancelledDoesNothing() {
            var scene = startedScene()
            var events = watchPages(scene)
            mouseClick(findChild(scene, "resetButton"))
            mouseClick(findChild(findChild(scene, "confirmDialog"), "confirmCancel"))
            verify(!findChild(scene, "confirmDialog").visible)
            verify(!findChild(scene, "mainMask").visible)
            compare(mockBackend.log.length, 0)
            compare(events, [])
        }

        function test_profileChangeFromTheTitleBar_data() {
            return [
                { tag: "with gun", gun: "true", gunCalls: ["ui_View.mouseSwitchKeyMatrix", "ui_View.mouseResetKeyMatrix"] },
                { tag: "without gun", gun: "false", gunCalls: [] }
            ]
        }

        function test_profileChangeFromTheTitleBar(data) {
            mockBackend.globals["mouse/isGun"] = data.gun
            mockBackend.nameLists = { "2": ["Standard0", "FPS2", "MOBA4"] }
            var scene = startedScene()
            var events = watchPages(scene)
            var dropDown = findChild(scene, "profileDropDown")
            compare(dropDown.model, ["Standard", "FPS", "MOBA"])
            compare(dropDown.currentIndex, 0)
            findChild(scene, "keyMatrixPage").isSave = true

            mouseClick(dropDown)
            verify(dropDown.isOpen)
            // The list's rows are placed when the next frame is prepared.
            waitForRendering(dropDown)
            // Third row of the open list.
            mouseClick(dropDown, dropDown.width / 2, dropDown.height + 4 + 2.5 * dropDown.rowHeight)
            verify(!dropDown.isOpen)
            compare(scene.profileNo, 4)
            compare(dropDown.currentIndex, 2)
            compare(frameNames(), ["ui_View.setEnabled", "ui_View.setGlobalData", "ui_View.setCurrentProfile"]
                    .concat(data.gunCalls).concat(["ui_View.setEnabled"]))
            compare(frameCallsOf("ui_View.setGlobalData"), [["mouse/profileNo", 4]])
            compare(mockBackend.callsOf("ui_View.setCurrentProfile"), [[4]])
            // Every page shows the new profile before the first one is sent.
            compare(events, ["keyMatrixPage.init(false,false)", "dpiPage.init(false,false)",
                             "lightPage.init(false,false)", "systemPage.init(false,false)",
                             "keyMatrixPage.init(true,false)", "dpiPage.init(true,false)",
                             "lightPage.init(true,false)", "systemPage.init(true,false)"])
            compare(findChild(scene, "saveButton").textColor, scene.fontColor)

            // Choosing the profile in use changes nothing.
            mockBackend.log = []
            scene.changeProfile(4)
            compare(mockBackend.log.length, 0)
        }

        function test_initialProfileIsSelectedInTheTitleBar() {
            mockBackend.globals["mouse/profileNo"] = "2"
            mockBackend.nameLists = { "2": ["Standard0", "FPS2", "emptyslotkey"] }
            var scene = startedScene()
            compare(scene.profileNo, 2)
            compare(findChild(scene, "profileDropDown").currentText, "FPS")
            compare(mockBackend.callsOf("ui_View.setCurrentProfile").length, 0)
        }

        function test_lockBlocksInputForTheInterval() {
            var scene = startedScene()
            var events = watchPages(scene)
            findChild(scene, "keyMatrixPage").isSave = true
            scene.setProtectUI(300)
            compare(mockBackend.callsOf("ui_View.setEnabled"), [[false]])
            verify(scene.isLocked)
            mouseClick(findChild(scene, "saveButton"))
            mouseClick(findChild(scene, "closeButton"))
            mouseClick(findChild(scene, "tab2"))
            compare(events, [])
            compare(scene.currentTab, 0)
            compare(mockBackend.names("ui_Ctl"), [])

            tryVerify(function() { return !scene.isLocked }, 2000)
            compare(mockBackend.callsOf("ui_View.setEnabled"), [[false], [true]])
            mouseClick(findChild(scene, "saveButton"))
            compare(events, ["keyMatrixPage.save"])
        }

        function test_startUpShowsOnlyTheLogoUntilTheFirstUnlock() {
            var scene = createScene()
            scene.initUI()
            verify(findChild(scene, "startLogo").visible)
            verify(!findChild(scene, "contentFrame").visible)
            verify(!findChild(scene, "menuUp").visible)
            verify(findChild(scene, "lockShield").visible)
            var timer = findChild(scene, "lockTimer")
            compare(timer.interval, 1000)
            verify(timer.running)
            // Let the lock end now rather than after a real second.
            timer.interval = 1
            timer.restart()
            tryVerify(function() { return scene.isUiShown }, 3000)
            verify(!findChild(scene, "startLogo").visible)
            verify(findChild(scene, "contentFrame").visible)
            verify(findChild(scene, "menuUp").visible)
            compare(scene.currentTab, 0)
            compare(mockBackend.callsOf("ui_View.setEnabled"), [[false], [true]])
        }

        function test_tabs() {
            var scene = startedScene()
            // The macro editor is made when its tab first opens, and initialised then.
            compare(findChild(scene, "macroEditor"), null)
            verify(!findChild(scene, "tab1").visible)
            compare([findChild(scene, "tab0").width, findChild(scene, "tab0").height], [200, 44])
            compare(findChild(scene, "tab2").x - findChild(scene, "tab0").x, 220)
            mouseClick(findChild(scene, "tab2"))
            compare(scene.currentTab, 2)
            verify(findChild(scene, "systemPage").visible)
            verify(!findChild(scene, "keyMatrixPage").visible)
            verify(findChild(scene, "macroEditor").visible)
            compare(mockBackend.names().filter(function(n) { return n === "ui_View.getMacroTree" }).length, 1)
            mouseClick(findChild(scene, "tab0"))
            compare(scene.currentTab, 0)
            verify(findChild(scene, "dpiPage").visible)
        }

        function test_windowOperations() {
            var scene = startedScene()
            mouseClick(findChild(scene, "minimizeButton"))
            mouseClick(findChild(scene, "closeButton"))
            compare(mockBackend.names(), ["ui_Ctl.onMinimize", "ui_Ctl.onHide"])

            // An open drop-down closes when the empty frame is pressed.
            var dropDown = findChild(scene, "profileDropDown")
            mouseClick(dropDown)
            verify(dropDown.isOpen)
            mouseClick(scene, 600, 60)
            verify(!dropDown.isOpen)

            mockBackend.log = []
            var emptyPresses = 0
            scene.emptyAreaPressed.connect(function() { ++emptyPresses })
            // Drag from an empty spot between the logo and the tabs.
            mousePress(scene, 600, 60)
            mouseMove(scene, 610, 55)
            mouseRelease(scene, 610, 55)
            compare(emptyPresses, 1)
            compare(mockBackend.callsOf("ui_Ctl.onXChanged"), [[10]])
            compare(mockBackend.callsOf("ui_Ctl.onYChanged"), [[-5]])
        }

        function test_configOpensTheProfileManagerWithTheMask() {
            var scene = startedScene()
            mouseClick(findChild(scene, "configButton"))
            verify(findChild(scene, "profileManager").visible)
            verify(findChild(scene, "mainMask").visible)
            // The title bar rests while a dialog is open.
            mouseClick(findChild(scene, "closeButton"))
            compare(mockBackend.names("ui_Ctl"), [])
        }

        function test_keyRoutingReachesOnlyCapturingComponents_data() {
            return [
                { tag: "nobody capturing", capturing: [] },
                { tag: "macro editor", capturing: ["macroEditor"] },
                { tag: "key assignment dialog", capturing: ["keyAssigmentDialog"] },
                { tag: "macro key dialog and button list", capturing: ["macroKeyDialog", "keyMatrixPage"] }
            ]
        }

        function test_keyRoutingReachesOnlyCapturingComponents(data) {
            var scene = startedScene()
            scene.macroEditorItem()
            scene.macroKeyDialogItem()
            var received = []
            ;["macroEditor", "keyAssigmentDialog", "macroKeyDialog", "keyMatrixPage", "dpiPage", "systemPage"].forEach(function(n) {
                var c = findChild(scene, n)
                c.isCapturing = data.capturing.indexOf(n) >= 0
                c.keyCaptured.connect(function(down, code) { received.push(n + ":" + down + ":" + code) })
            })
            scene.detectKeyboard(true, 0x06)
            scene.detectKeyboard(false, 0x06)
            var expected = []
            ;[true, false].forEach(function(down) {
                data.capturing.forEach(function(n) { expected.push(n + ":" + down + ":6") })
            })
            compare(received.sort(), expected.sort())
        }

        function test_rootFunctionsThatDoNothing() {
            var scene = startedScene()
            var mouseEvents = 0
            scene.msg_MS.connect(function() { ++mouseEvents })
            scene.run()
            scene.scroll(-1)
            scene.detectMouse(true, 0xF0, 10, 20)
            compare(mouseEvents, 1)
            compare(mockBackend.log.length, 0)
        }

        function test_screenRect_data() {
            return [
                { tag: "1920x1080 screen", w: 1280, h: 720, max: false, min: 1.0, zmax: 1.0 },
                { tag: "2560x1440 screen", w: 1706, h: 960, max: false, min: 1706 / 1280, zmax: 960 / 720 },
                { tag: "1280x1024 screen", w: 1280, h: 1024, max: false, min: 1.0, zmax: 1024 / 720 },
                { tag: "maximised", w: 2560, h: 1440, max: true, min: 2.0, zmax: 2.0 }
            ]
        }

        function test_screenRect(data) {
            var scene = createScene()
            scene.setScreenRect(data.w, data.h, data.max)
            compare([scene.frameW, scene.frameH, scene.isFrameMax], [data.w, data.h, data.max])
            compare([scene.width, scene.height], [data.w, data.h])
            fuzzyCompare(scene.zoomInRate_min, data.min, 1e-9)
            fuzzyCompare(scene.zoomInRate_max, data.zmax, 1e-9)
            fuzzyCompare(findChild(scene, "contentFrame").scale, data.min, 1e-9)
        }
    }
}

import QtQuick
import "basic"
import "common"
import "pages"
import "common/LanguageTable.js" as LanguageTable
import "common/Values.js" as Values

// The scene's frame: scaling of the 1280 by 720 design to the window, the
// start-up lock, title bar, tabs, bottom bar, dialogs, languages and the
// root functions the native side calls.
Item {
    id: mainIten

    // Design size, and the window's size as the native side reports it.
    property int normalW: 1280
    property int normalH: 720
    property int frameW: 1280
    property int frameH: 720
    property real zoomInRate_min: 1.0
    property real zoomInRate_max: 1.0
    property bool isFrameMax: false

    property int mouseMode: 0
    property bool isPownOn: false
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553"
    property bool is55328: false

    property string language: "ChineseSimplified"
    property int langIndex: 0
    property string fontFamily: langIndex === 0 ? rajdhaniLoader.name : cjkFontFamily
    property int fontNormalSize: 16
    property int fontMaxSize: 18
    property int fontMiddleSize: 16
    property int fontMinSize: 12

    property color fontColor: "#ffffff"
    property color colorPrimary: "#ff9933"
    property color colorAccent: "#ff3030"
    property color colorGray0: "#1a1a1a"
    property color colorGray1: "#3c3c3c"
    property color colorGray2: "#969696"
    property color colorGray3: "#d1d1d1"
    property color colorGray6: "#666666"
    property color color1: "#ff0000"
    property color color2: "#0000ff"
    property color color3: "#00ff00"
    property color color4: "#FFFF00"
    property color color5: "#00FFFF"
    property color color6: "#FF00FF"
    property color color7: "#FF8000"
    property color color8: "#ffffff"
    property int skin_No: 1
    property string url: "https://www.halcyon.example/support"

    // Current profile slot (0 to 5), persisted as mouse/profileNo.
    property int profileNo: 0
    // Selected tab: 0 buttons and DPI, 1 lighting (hidden), 2 settings and macros.
    property int currentTab: 0
    // Whether a mouse is there; the native side sets it at every detection
    // and when the mouse goes away. Without one the pages stay editable (the
    // profile keeps the changes) and the title bar says so.
    property bool deviceConnected: true
    property string notConnectedText: "Mouse not connected"
    // Whether key recording sees the whole desktop; where it does not
    // (Wayland) it sees the keys typed into this window, and the macro
    // editor says so while recording. Set by the native side at start-up.
    property bool desktopKeyCapture: true
    property string windowOnlyCaptureText: "Only keys typed in this window are recorded"
    // What a long transfer lock waits for: sending the changed settings,
    // sending a whole profile (the language group "other", 12 and 13).
    property var transferNotes: ["Sending settings…", "Sending profile…"]
    // Names of the title bar's image buttons and language list, for
    // assistive technology (the language group "other", 14 and 15).
    property string minimiseName: "Minimise"
    property string languageName: "Language"
    // Keyboard and screen-reader texts of the macro editor and the profile
    // manager ("other" 16 onward): the recording's stop hint, the names of
    // recorded steps, a folder's open or closed state, a list's menu
    // button, the profile manager's F2 hint.
    property var keyboardTexts: ["Press Escape twice to stop recording", "Key %1 down", "Key %1 up",
        "Delay %1 ms", "Folder, open", "Folder, closed", "Menu: %1", "F2 renames the selected profile."]
    readonly property string closeName: Values.at(profileManager.profileLang, 1)
    // The item that held the keyboard focus when the open dialog took it.
    property var focusBeforeDialog: null
    // The item that held the keyboard focus when a transfer's lock began.
    property var focusBeforeLock: null
    // True once the first lock has ended and the frame replaced the logo.
    property bool isUiShown: false
    // True while input is locked (busy indicator shown, view disabled).
    readonly property bool isLocked: busyIndicator.running
    // True while a dialog is open over the frame (with the mask).
    readonly property bool isDialogOpen: mainMask.visible
    // True while any page holds changes that "Save" would send.
    // A page or dialog records keys: Tab is recorded, not a move.
    // (The macro editor and the macro-key dialog exist once first used.)
    readonly property bool isRecordingKeys: (macroEditor ? macroEditor.isCapturing : false) || keyMatrixPage.isCapturing
                                            || keyAssigmentDialog.isCapturing
                                            || (macroKeyDialog ? macroKeyDialog.isCapturing : false)
    readonly property bool hasUnsavedChanges: keyMatrixPage.isSave || dpiPage.isSave
                                              || lightPage.isSave || systemPage.isSave
    // Components made when first needed, null before: the macro editor (its
    // texts wait in macroEditorTexts meanwhile) and three dialogs. The
    // functions macroEditorItem() and so on make them.
    readonly property var macroEditor: macroEditorLoader.item
    readonly property var macroKeyDialog: macroKeyDialogLoader.item
    readonly property var dpiColorDialog: dpiColorDialogLoader.item
    property var macroEditorTexts: null
    onMacroEditorTextsChanged: if (macroEditor) macroEditor.macroEditorLang = macroEditorTexts
    readonly property string cjkFontFamily: Qt.platform.os === "windows" ? "微软正黑体"
                                            : (langIndex === 2 ? "Noto Sans CJK TC" : "Noto Sans CJK SC")

    signal emptyAreaPressed()
    signal clickOfficeMode()
    signal clickGameMode()
    signal initDropDownList()
    signal clickMainFocus()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int jeffCode, int x, int y)
    signal msg_wheel(int _value)

    width: frameW
    height: frameH

    // ---- root functions called by the native side ----

    function setScreenRect(_widgetW, _widgetH, isMaxNormal) {
        frameW = Values.toInt(_widgetW, normalW)
        frameH = Values.toInt(_widgetH, normalH)
        isFrameMax = Values.toBool(isMaxNormal)
        var rw = frameW / normalW
        var rh = frameH / normalH
        zoomInRate_min = Math.min(rw, rh)
        zoomInRate_max = Math.max(rw, rh)
        console.log("setScreenRect", frameW, frameH, "zoom", zoomInRate_min, zoomInRate_max)
    }

    function setProtectUI(interval) {
        controlUIEnable(false)
        lockTimer.interval = Math.max(0, Values.toInt(interval, 0))
        lockTimer.restart()
    }

    function initUI() {
        setProtectUI(1000)
        visible = true
        if (!isPownOn) {
            isColorful = Values.toBool(ui_View.getGlobalData("mouse/isColorful"))
            icType = String(ui_View.getGlobalData("mouse/icType"))
            is55328 = Values.toBool(ui_View.getGlobalData("mouse/is55328"))
            isGun = Values.toBool(ui_View.getGlobalData("mouse/isGun"))
            keyMatrixPage.mouseKeyCount = Values.toInt(ui_View.getGlobalData("mouse/keyCount"), keyMatrixPage.mouseKeyCount)
            mouseMode = Values.toInt(ui_View.getData("mouse/mouseMode", false), 0)
            keyMatrixPage.selectMode(mouseMode)

            // The 560 family works on on-device profile 1 only.
            if (icType === "560" && Values.toInt(ui_View.mouseReadCurrentProfile(), 0) !== 1)
                hid.hid560_02H_SetCurrentProfile(1)

            setLangIndex(ui_View.getGlobalData("common/language"))
            loadLanguage()

            profileNo = Values.toInt(ui_View.getGlobalData("mouse/profileNo"), 0)
            profileManager.init(false, false)
            menuUp.profileIndex = profileManager.indexOfSlot(profileNo)
            ui_View.setCurrentProfile(profileNo)
            gunEditor.init(false, false)
            keyAssigmentDialog.init(false, false)
            keyMatrixPage.init(false, false)
            dpiPage.init(false, false)
            lightPage.init(false, false)
            systemPage.init(false, false)
            initDropDownList()
            isPownOn = true
        }
        dpiPage.selectStage(Values.toInt(ui_View.mouseGetCurrentDPI(), 0) - 1)
    }

    function run() {}

    function setCurrentDPI(dpiValue) {
        var stage = Values.toInt(dpiValue, 0)
        if (stage !== 0)
            dpiPage.selectStage(stage - 1)
    }

    function scroll(_value) {}

    function detectKeyboard(isDown, usbCode) {
        msg_KB(Values.toBool(isDown), Values.toInt(usbCode, 0))
    }

    function detectMouse(isDown, jeffCode, x, y) {
        msg_MS(Values.toBool(isDown), Values.toInt(jeffCode, 0), Values.toInt(x, 0), Values.toInt(y, 0))
    }

    // ---- functions shared by the scene's components ----

    // Address of a page image: qrc:/GROUP/modules/img/skinN/GROUP/NAME.
    function skinImage(group, name) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + name
    }

    // Close every open drop-down and tell the components focus went back to the frame.
    function mainFocus() {
        menuUp.closeDropDowns()
        focusSink.forceActiveFocus()
        clickMainFocus()
    }

    // Lock or unlock input without the timer. A lock may name what it waits
    // for; the name shows when the wait is long.
    function controlUIEnable(isEnable, progressText) {
        // Disabling the view moves its keyboard focus on (as a Tab would):
        // when the lock ends, the keys go back to the control that had them.
        if (!isEnable && !busyIndicator.running)
            focusBeforeLock = Window.activeFocusItem
        busyIndicator.progressText = !isEnable && progressText !== undefined ? progressText : ""
        busyIndicator.running = !isEnable
        ui_View.setEnabled(isEnable)
        var back = focusBeforeLock
        if (isEnable && back) {
            focusBeforeLock = null
            if (back.visible && back.enabled && back !== focusSink)
                back.forceActiveFocus(Qt.TabFocusReason)
        }
    }

    // Set langIndex from a stored language name. A name that is not ours
    // keeps the current language, so the texts never load from a file that
    // does not exist.
    function setLangIndex(langStr) {
        var index = LanguageTable.indexOf(langStr)
        if (index >= 0)
            langIndex = index
        language = LanguageTable.names[langIndex]
    }

    // Fetch every text group of the current language into its component.
    function loadLanguage() {
        var groups = [
            ["keyMatrix", keyMatrixPage, "keyMatrixLang"],
            ["keyAssigment", keyAssigmentDialog, "keyAssigmentLang"],
            ["dpiSetting", dpiPage, "dpiSettingLang"],
            ["lightControl", lightPage, "lightControlLang"],
            ["macroEditor", mainIten, "macroEditorTexts"],
            ["systemSetting", systemPage, "systemSettingLang"],
            ["gunControl", gunEditor, "gunControlLang"],
            ["profile", profileManager, "profileLang"],
            ["keyCode", keyCodeString, "keyCodeLang"],
            ["warningAssigment", warningDialog, "warningAssigmentLang"],
            ["programRules", programRulesDialog, "programRulesLang"],
            ["keyHints", keyAssigmentDialog, "keyHintsLang"]
        ]
        var lists = []
        var anyText = false
        for (var i = 0; i < groups.length; ++i) {
            lists.push(Values.toList(ui_View.getLangStrings(groups[i][0], language)))
            anyText = anyText || lists[i].length > 0
        }
        // A file that yields no group at all is missing or unreadable, not a
        // translation: keep the texts shown so far rather than blank them all.
        // A file that lacks only some groups empties just those components.
        if (anyText) {
            for (var j = 0; j < groups.length; ++j)
                groups[j][1][groups[j][2]] = lists[j]
        } else {
            console.log("No texts for language", language, "- keeping the current texts")
        }
        // The backend keeps the tray texts of this group; the scene takes the
        // "not connected" notice.
        var other = Values.toList(ui_View.getLangStrings("other", language))
        if (other.length > 10 && String(other[10]) !== "")
            notConnectedText = String(other[10])
        if (other.length > 11 && String(other[11]) !== "")
            windowOnlyCaptureText = String(other[11])
        if (other.length > 13 && String(other[12]) !== "" && String(other[13]) !== "")
            transferNotes = [String(other[12]), String(other[13])]
        if (other.length > 14 && String(other[14]) !== "")
            minimiseName = String(other[14])
        if (other.length > 15 && String(other[15]) !== "")
            languageName = String(other[15])
        if (other.length > 16 + keyboardTexts.length - 1) {
            var keyTexts = other.slice(16, 16 + keyboardTexts.length).map(String)
            if (keyTexts.indexOf("") < 0)
                keyboardTexts = keyTexts
        }
        // The desktop's reasons for a missing pointer setting follow the language.
        systemPage.readAvailability()
    }

    // The user picked another language: store it and reload every text group.
    function switchLanguage(langStr) {
        setLangIndex(langStr)
        ui_View.setGlobalData("common/language", language)
        loadLanguage()
    }

    function selectTab(index) {
        currentTab = index
        if (index === 2) {
            macroEditorItem().init(false, false)
            mainFocus()
        }
    }

    function made(loader) {
        loader.active = true
        return loader.item
    }
    function macroEditorItem() { return made(macroEditorLoader) }
    function macroKeyDialogItem() { return made(macroKeyDialogLoader) }
    function dpiColorDialogItem() { return made(dpiColorDialogLoader) }
    function inputDialogItem() { return made(inputDialogLoader) }

    function showDialog(dialog) {
        // Keys go to the dialog; closing gives them back where they were.
        if (!mainMask.visible)
            focusBeforeDialog = Window.activeFocusItem
        mainFocus()
        mainMask.visible = true
        dialog.x = (normalW - dialog.width) / 2
        dialog.y = (normalH - dialog.height) / 2
        dialog.visible = true
        // A dialog that took the keys for one of its own controls keeps them there.
        var inside = false
        for (var p = Window.activeFocusItem; p && !inside; p = p.parent)
            inside = p === dialog
        if (!inside)
            dialog.forceActiveFocus(Qt.TabFocusReason)
    }

    function hideDialog(dialog) {
        dialog.visible = false
        mainMask.visible = false
        // Keys go back to the control that had them, or to the frame, so
        // Escape still reaches it.
        var back = focusBeforeDialog
        focusBeforeDialog = null
        if (back && back.visible && back.enabled && back !== focusSink)
            back.forceActiveFocus(Qt.TabFocusReason)
        else
            focusSink.forceActiveFocus()
    }

    // Whether Tab may stop at a control: while a dialog is open only its
    // own controls are reachable, not those of the frame under the mask.
    function keyReachable(control) {
        // While keys are recorded, Tab is a key like any other.
        if (isRecordingKeys)
            return false
        if (!mainMask.visible)
            return true
        for (var p = control; p; p = p.parent) {
            if (p.parent === dialogLayer)
                return true
        }
        return false
    }

    // The main tabs that are shown, in order: Ctrl+Tab and Ctrl+Shift+Tab
    // go round them as a click on the next or previous one does.
    function cycleTab(direction) {
        var shown = []
        for (var i = 0; i < tabBar.children.length; ++i) {
            var t = tabBar.children[i]
            if (t.objectName.indexOf("tab") === 0 && t.visible)
                shown.push(Number(t.objectName.substring(3)))
        }
        var at = Math.max(0, shown.indexOf(currentTab))
        selectTab(shown[(at + direction + shown.length) % shown.length])
    }

    // Frame keys that no control took: Ctrl+Tab / Ctrl+Shift+Tab and Ctrl+S,
    // but not while a dialog is open or a page records keys.
    Keys.onPressed: function(event) {
        // Tab while recording stays with the recording; the frame's own
        // focus chain would otherwise take it.
        if (isRecordingKeys && (event.key === Qt.Key_Tab || event.key === Qt.Key_Backtab)) {
            event.accepted = true
            return
        }
        if (mainMask.visible || isLocked || !isUiShown || isRecordingKeys)
            return
        var ctrl = (event.modifiers & Qt.ControlModifier) !== 0
        if (ctrl && (event.key === Qt.Key_Tab || event.key === Qt.Key_Backtab)) {
            cycleTab(event.key === Qt.Key_Backtab || (event.modifiers & Qt.ShiftModifier) ? -1 : 1)
            event.accepted = true
        } else if (ctrl && event.key === Qt.Key_S) {
            // Saving takes the focus to the frame (and the input lock takes
            // it from the view); a keyboard user goes on where they were.
            var focused = Window.activeFocusItem
            saveAllData()
            if (focused && focused !== focusSink && focused.visible && focused.enabled)
                focused.forceActiveFocus(Qt.TabFocusReason)
            event.accepted = true
        }
    }

    // Escape: the dialog on top closes as its Cancel (or close cross) does.
    // A dialog capturing keys keeps Escape as a key it may record.
    function closeTopDialog() {
        var top = null
        var list = dialogLayer.children
        for (var i = 0; i < list.length; ++i) {
            // A dialog may sit in the layer directly or inside a Loader.
            var d = list[i].closeRequested === undefined && list[i].item ? list[i].item : list[i]
            if (d.visible && list[i].visible && d.closeRequested !== undefined && (top === null || d.z >= top.z))
                top = d
        }
        if (top === null || top.isCapturing)
            return false
        if (top.closeInner === undefined || !top.closeInner())
            top.closeRequested()
        return true
    }
    Keys.onEscapePressed: function(event) { event.accepted = closeTopDialog() }

    // "Save": send every page with unsaved changes, in order.
    function saveAllData() {
        mainFocus()
        var locks = keyMatrixPage.isSave || dpiPage.isSave || lightPage.isSave
        if (locks)
            controlUIEnable(false, transferNotes[0])
        var pages = [keyMatrixPage, dpiPage, lightPage, systemPage]
        var saved = []
        for (var i = 0; i < pages.length; ++i) {
            if (pages[i].isSave) {
                pages[i].isSave = false
                pages[i].saveData()
                saved.push(pages[i])
            }
        }
        // What could not be written (a full disk) stays unsaved, so that
        // "Save" can be tried again; the backend has warned.
        if (saved.length > 0 && !ui_View.writePendingSettings()) {
            for (var j = 0; j < saved.length; ++j)
                saved[j].isSave = true
        }
        controlUIEnable(true)
    }

    // A transfer a closing dialog leaves behind: the window stays locked
    // under the note "Save" shows until it is over.
    function sendSettings(transfer) {
        controlUIEnable(false, transferNotes[0])
        transfer()
        controlUIEnable(true)
    }

    // "Reset", once confirmed: restore the profile's factory values and send them.
    function resetAllDate() {
        controlUIEnable(false, transferNotes[1])
        confirmDialog.visible = false
        mainMask.visible = false
        mouseMode = 0
        keyMatrixPage.selectMode(0)
        clickOfficeMode()
        ui_View.resetProfile(profileNo)
        keyMatrixPage.init(true, false)
        keyMatrixPage.resetKeys()
        dpiPage.init(true, false)
        lightPage.init(true, false)
        systemPage.init(true, false)
        if (isGun) {
            ui_View.mouseSwitchKeyMatrix(1)
            ui_View.mouseResetKeyMatrix()
        }
        ui_View.mouseSetCurrentDPI(2)
        dpiPage.selectStage(1)
        gunEditor.resetData()
        controlUIEnable(true)
        clearUnsavedFlags()
    }

    // Switch to another profile slot: load it and send it to the mouse.
    function changeProfile(slot) {
        var newNo = Values.toInt(slot, profileNo)
        if (newNo === profileNo)
            return
        controlUIEnable(false, transferNotes[1])
        profileNo = newNo
        menuUp.profileIndex = profileManager.indexOfSlot(profileNo)
        ui_View.setGlobalData("mouse/profileNo", profileNo)
        ui_View.setCurrentProfile(profileNo)
        sendProfile()
        controlUIEnable(true)
    }

    // Load every page from the current profile and send it to the mouse.
    // Every page shows the new profile before the first transfer, so the
    // window never shows two profiles at once while the mouse is written.
    function sendProfile() {
        var pages = [keyMatrixPage, dpiPage, lightPage, systemPage]
        for (var i = 0; i < pages.length; ++i)
            pages[i].init(false, false)
        for (var j = 0; j < pages.length; ++j)
            pages[j].init(true, false)
        if (isGun) {
            ui_View.mouseSwitchKeyMatrix(1)
            ui_View.mouseResetKeyMatrix()
        }
        clearUnsavedFlags()
    }

    // ---- requests of halcyonctl, carried out with the window's own functions ----

    // What the tool reports, as the window shows it.
    function ctlState() {
        return { initialised: isPownOn, profile: profileNo,
                 names: profileManager.profileNames, slots: profileManager.profileSlots,
                 stageCount: dpiPage.stageCount, currentStage: dpiPage.currentStage,
                 dpiValues: dpiPage.dpiValues }
    }

    // Lists a profile slot in the profile manager, named as "Import" names a
    // new entry; false when the list is full or the slot lies beyond it.
    function ctlListProfile(slot) {
        if (profileManager.indexOfSlot(slot) >= 0)
            return true
        var entry = profileManager.freeEntry()
        if (!entry || slot < 0 || slot >= profileManager.maxProfiles)
            return false
        entry.slot = slot
        profileManager.addEntry(entry)
        return true
    }

    // The current profile's file was replaced: show and send it, as a switch does.
    function ctlReloadProfile() {
        controlUIEnable(false)
        sendProfile()
        controlUIEnable(true)
    }

    // The macro library as paths "Folder/Name", folders ending in "/".
    function ctlMacroEntries() {
        macroEditorItem()
        if (macroEditor.tree.children.length === 0)
            macroEditor.loadTree()
        var out = []
        function walk(folder, prefix) {
            folder.children.forEach(function(c) {
                out.push(prefix + c.name + (c.type === 1 ? "/" : ""))
                if (c.type === 1)
                    walk(c, prefix + c.name + "/")
            })
        }
        walk(macroEditor.tree, "")
        return out
    }

    function ctlMacroNode(chain) {
        var node = macroEditor.tree
        for (var i = 0; i < chain.length && node; ++i)
            node = macroEditor.childNamed(node, chain[i])
        return node
    }

    // "Export" of the macro at the chain of names; the file dialog is answered by the tool.
    function ctlExportMacro(chain) {
        ctlMacroEntries()
        var node = ctlMacroNode(chain)
        if (!node || node === macroEditor.tree || node.type !== 0)
            return false
        macroEditor.exportMacro(node)
        return true
    }

    // "Import" into the top level; true when the macro name is listed afterwards.
    function ctlImportMacro(name) {
        ctlMacroEntries()
        if (macroEditor.childNamed(macroEditor.tree, name))
            return false
        var kept = macroEditor.selectedNode
        macroEditor.selectedNode = null
        macroEditor.importMacro()
        var node = macroEditor.childNamed(macroEditor.tree, name)
        if (!node)
            macroEditor.selectedNode = kept
        return node !== null
    }

    function clearUnsavedFlags() {
        keyMatrixPage.isSave = false
        dpiPage.isSave = false
        lightPage.isSave = false
        systemPage.isSave = false
    }

    // Offer a captured key to every component that is capturing; the others ignore it.
    function routeKey(isDown, usbCode) {
        var capturing = [macroEditor, keyAssigmentDialog, macroKeyDialog, keyMatrixPage]
        for (var i = 0; i < capturing.length; ++i) {
            if (capturing[i] && capturing[i].isCapturing)
                capturing[i].captureKey(isDown, usbCode)
        }
    }

    onMsg_KB: function(isDown, usbCode) { routeKey(isDown, usbCode) }

    FontLoader {
        id: rajdhaniLoader
        source: "qrc:/modules/fonts/Rajdhani-Bold.ttf"
    }

    Timer {
        id: lockTimer
        objectName: "lockTimer"
        interval: 1000
        repeat: false
        onTriggered: {
            mainIten.controlUIEnable(true)
            if (!mainIten.isUiShown) {
                mainIten.isUiShown = true
                mainIten.selectTab(mainIten.currentTab)
            }
        }
    }

    // Takes keyboard focus away from text fields when the frame is clicked.
    Item {
        id: focusSink
        focus: true
    }

    // ---- layers, bottom to top ----

    // Empty areas drag the window.
    MouseArea {
        id: dragArea
        anchors.fill: parent
        property point pressPos
        onPressed: function(mouse) {
            mainIten.mainFocus()
            mainIten.emptyAreaPressed()
            pressPos = Qt.point(mouse.x, mouse.y)
        }
        onPositionChanged: function(mouse) {
            if (!pressed)
                return
            ui_Ctl.onXChanged(Math.round(mouse.x - pressPos.x))
            ui_Ctl.onYChanged(Math.round(mouse.y - pressPos.y))
        }
    }

    // Start-up logo, until the first lock ends.
    Item {
        id: startLogo
        objectName: "startLogo"
        visible: !mainIten.isUiShown
        width: 440
        height: 300
        anchors.centerIn: parent
        scale: mainIten.zoomInRate_min
        // A dark card, so the logo reads well on any desktop behind the
        // translucent window.
        Rectangle {
            anchors.fill: parent
            radius: 8
            color: "#f0141518"
            border.color: mainIten.colorGray1
        }
        SvgImage {
            id: startEmblem
            y: 48
            width: 216
            height: 120
            anchors.horizontalCenter: parent.horizontalCenter
            // Released once the frame has replaced the logo.
            source: startLogo.visible ? "qrc:/modules/img/titleLogo.svg" : ""
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.top: startEmblem.bottom
            anchors.topMargin: 18
            text: "HALCYON"
            color: mainIten.fontColor
            font.family: rajdhaniLoader.name
            font.pixelSize: 56
            font.letterSpacing: 12
        }
    }

    Environment {
        id: environment
        anchors.fill: parent
        visible: mainIten.isUiShown
    }

    // The 1280 by 720 design, centred and drawn at zoomInRate_min.
    Item {
        id: contentFrame
        objectName: "contentFrame"
        visible: mainIten.isUiShown
        width: mainIten.normalW
        height: mainIten.normalH
        anchors.centerIn: parent
        scale: mainIten.zoomInRate_min

        // Covers the frame while a dialog is open: clicks outside the dialog
        // only take focus away (and drag the window).
        MouseArea {
            id: mainMask
            objectName: "mainMask"
            anchors.fill: parent
            visible: false
            // Hover stops here too: nothing under an open dialog lights up.
            hoverEnabled: true
            z: 5
            property point pressPos
            onPressed: function(mouse) {
                focusSink.forceActiveFocus()
                pressPos = Qt.point(mouse.x, mouse.y)
            }
            onPositionChanged: function(mouse) {
                if (!pressed)
                    return
                ui_Ctl.onXChanged(Math.round((mouse.x - pressPos.x) * mainIten.zoomInRate_min))
                ui_Ctl.onYChanged(Math.round((mouse.y - pressPos.y) * mainIten.zoomInRate_min))
            }
            Rectangle {
                anchors.fill: parent
                color: "#000000"
                opacity: 0.45
            }
        }

        SvgImage {
            id: bgLogo
            objectName: "bgLogo"
            width: 720
            height: 400
            x: (parent.width - width) / 2
            y: 170
            opacity: 0.4
            source: "qrc:/modules/img/bgLogo.svg"
        }

        Row {
            id: titleLogo
            x: 24
            y: 4
            spacing: 10
            SvgImage {
                width: 54
                height: 30
                source: "qrc:/modules/img/titleLogo.svg"
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                anchors.verticalCenterOffset: 1
                text: "HALCYON"
                color: mainIten.fontColor
                font.family: rajdhaniLoader.name
                font.pixelSize: 24
                font.letterSpacing: 5
            }
        }

        Text {
            id: notConnectedNotice
            objectName: "notConnectedNotice"
            anchors.left: titleLogo.right
            anchors.leftMargin: 28
            anchors.verticalCenter: titleLogo.verticalCenter
            visible: !mainIten.deviceConnected
            text: mainIten.notConnectedText
            color: mainIten.colorAccent
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontMaxSize
        }

        Row {
            id: tabBar
            objectName: "tabBar"
            anchors.right: pageArea.right
            y: 52
            spacing: 20
            TabButton {
                objectName: "tab0"
                text: Values.at(keyMatrixPage.keyMatrixLang, 17)
                selected: mainIten.currentTab === 0
                onClicked: mainIten.selectTab(0)
            }
            TabButton {
                objectName: "tab1"
                visible: false
                text: Values.at(keyMatrixPage.keyMatrixLang, 18)
                selected: mainIten.currentTab === 1
                onClicked: mainIten.selectTab(1)
            }
            TabButton {
                objectName: "tab2"
                text: Values.at(keyMatrixPage.keyMatrixLang, 19)
                selected: mainIten.currentTab === 2
                onClicked: mainIten.selectTab(2)
            }
        }

        Item {
            id: pageArea
            objectName: "pageArea"
            x: (parent.width - width) / 2
            y: 106
            width: parent.width * 0.9
            height: parent.height * 0.73

            Item {
                id: tab0Pages
                anchors.fill: parent
                visible: mainIten.currentTab === 0
                KeyMatrixPage {
                    id: keyMatrixPage
                    objectName: "keyMatrixPage"
                    width: (parent.width - 20) / 2
                    height: parent.height
                }
                DpiSettingPage {
                    id: dpiPage
                    objectName: "dpiPage"
                    x: keyMatrixPage.width + 20
                    width: (parent.width - 20) / 2
                    height: parent.height
                }
            }
            LightControlPage {
                id: lightPage
                objectName: "lightPage"
                anchors.fill: parent
                visible: mainIten.currentTab === 1
            }
            Item {
                id: tab2Pages
                anchors.fill: parent
                visible: mainIten.currentTab === 2
                SystemSettingPage {
                    id: systemPage
                    objectName: "systemPage"
                    // Above the macro editor, so the report-rate list opens over it.
                    z: 1
                    width: parent.width
                    height: 180
                }
                // Made when the tab first opens or a request needs the
                // library (macroEditorItem): the window starts smaller.
                Loader {
                    id: macroEditorLoader
                    objectName: "macroEditorLoader"
                    y: systemPage.height + 16
                    width: parent.width
                    height: parent.height - y
                    active: false
                    sourceComponent: Component { MacroEditor { objectName: "macroEditor" } }
                    onLoaded: if (mainIten.macroEditorTexts !== null) item.macroEditorLang = mainIten.macroEditorTexts
                }
            }
        }

        SvgImage {
            id: separator
            x: pageArea.x
            y: pageArea.y + pageArea.height + 6
            width: pageArea.width
            height: 4
            source: mainIten.skinImage("index", "separator.svg")
        }

        Item {
            id: bottomBar
            objectName: "bottomBar"
            x: pageArea.x
            y: separator.y + separator.height + 8
            width: parent.width * 0.9
            height: parent.height * 0.08

            SvgImage {
                anchors.fill: parent
                source: "qrc:/modules/img/bottomBar.svg"
            }
            TextButton {
                id: configButton
                objectName: "configButton"
                anchors.left: parent.left
                anchors.leftMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                text: Values.at(keyMatrixPage.keyMatrixLang, 0)
                onClicked: mainIten.showDialog(profileManager)
            }
            Text {
                id: linkLine
                objectName: "linkLine"
                // Centred in the free space between "Config" and the right-hand buttons.
                x: configButton.x + configButton.width
                   + (bottomButtons.x - configButton.x - configButton.width - width) / 2
                anchors.verticalCenter: parent.verticalCenter
                text: Values.at(keyMatrixPage.keyMatrixLang, 6) + mainIten.url
                color: linkArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray2
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontMinSize + 2
                font.underline: linkArea.containsMouse
                MouseArea {
                    id: linkArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: Qt.openUrlExternally(mainIten.url)
                }
            }
            Row {
                id: bottomButtons
                anchors.right: parent.right
                anchors.rightMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                spacing: 16
                TextButton {
                    objectName: "okButton"
                    text: Values.at(keyMatrixPage.keyMatrixLang, 1)
                    onClicked: {
                        mainIten.saveAllData()
                        ui_Ctl.onMinimize()
                    }
                }
                TextButton {
                    objectName: "saveButton"
                    text: Values.at(keyMatrixPage.keyMatrixLang, 2)
                    textColor: mainIten.hasUnsavedChanges ? mainIten.colorAccent : mainIten.fontColor
                    onClicked: mainIten.saveAllData()
                }
                TextButton {
                    objectName: "resetButton"
                    text: Values.at(keyMatrixPage.keyMatrixLang, 3)
                    onClicked: mainIten.showDialog(confirmDialog)
                }
            }
        }
    }

    // Title bar, above the frame so that its drop-down opens over the tabs;
    // it rests while a dialog is open.
    Item {
        id: titleLayer
        visible: mainIten.isUiShown
        enabled: !mainMask.visible
        opacity: mainMask.visible ? 0.45 : 1.0
        width: mainIten.normalW
        height: mainIten.normalH
        anchors.centerIn: parent
        scale: mainIten.zoomInRate_min
        Menu_Up {
            id: menuUp
            objectName: "menuUp"
            x: -21
            y: -6
            width: 1280
            height: mainIten.normalH * 0.05
            profileModel: profileManager.profileNames
            onProfileChosen: function(index) { mainIten.changeProfile(profileManager.profileSlots[index]) }
            onLanguageChosen: function(index) { mainIten.switchLanguage(LanguageTable.names[index]) }
        }
    }

    // Dialogs that live outside the frame, each scaled and centred in the root.
    Item {
        id: dialogLayer
        width: mainIten.normalW
        height: mainIten.normalH
        anchors.centerIn: parent
        scale: mainIten.zoomInRate_min

        ProfileManager {
            id: profileManager
            objectName: "profileManager"
            rulesLang: programRulesDialog.programRulesLang
            onProfileSelected: function(slot) { mainIten.changeProfile(slot) }
            onProgramsRequested: programRulesDialog.open(profileManager, profileNames, profileSlots)
        }
        ProgramRulesDialog { id: programRulesDialog; objectName: "programRulesDialog" }
        Loader {
            id: macroKeyDialogLoader
            active: false
            sourceComponent: Component { MacroKeyDialog { objectName: "macroKeyDialog" } }
        }
        Loader {
            id: inputDialogLoader
            active: false
            sourceComponent: Component { InputDialog { objectName: "inputDialog" } }
        }
        WarningDialog { id: warningDialog; objectName: "warningDialog" }
        Loader {
            id: dpiColorDialogLoader
            active: false
            sourceComponent: Component { DpiColorDialog { objectName: "dpiColorDialog" } }
        }
        GunControl { id: gunEditor; objectName: "gunEditor" }
        KeyAssigmentDialog { id: keyAssigmentDialog; objectName: "keyAssigmentDialog" }
        ConfirmDialog {
            id: confirmDialog
            objectName: "confirmDialog"
            title: Values.at(keyMatrixPage.keyMatrixLang, 7)
            text: Values.at(keyMatrixPage.keyMatrixLang, 8)
            okText: Values.at(keyMatrixPage.keyMatrixLang, 10)
            cancelText: Values.at(keyMatrixPage.keyMatrixLang, 9)
            onAccepted: mainIten.resetAllDate()
            onRejected: mainIten.hideDialog(confirmDialog)
        }
    }

    KeyCodeString {
        id: keyCodeString
        objectName: "keyCodeString"
    }

    // While locked, no pointer input reaches the scene, whatever the host does.
    MouseArea {
        id: lockShield
        objectName: "lockShield"
        anchors.fill: parent
        z: 98
        visible: mainIten.isLocked
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        preventStealing: true
        onWheel: function(wheel) { wheel.accepted = true }
    }

    BusyIndicator {
        id: busyIndicator
        objectName: "busyIndicator"
        z: 99
        anchors.centerIn: parent
    }
}

import QtQml

// Stand-ins for the three objects the host gives the scene ("ui_View",
// "hid", "ui_Ctl"). Every call is appended to one log, in order, as
// {name: "ui_View.setEnabled", args: [false]}. Answers come from the
// tables below, which a test may change.
QtObject {
    id: backend

    property var log: []
    // Global configuration (apConfig) and current profile values.
    property var globals: ({})
    property var profile: ({})
    property var profileLists: ({})
    // Language files: language -> group -> list of strings.
    property var languages: ({})
    // Name index lists by type.
    property var nameLists: ({})
    property int deviceProfile: 1
    property int currentDpi: 2
    // The backend's monotonic clock, in milliseconds, moved by a test.
    property real nowMs: 0
    // Files the last import passed over for their names.
    property var refusedImports: []
    // Pages: gun presets by index, macro files by name ({actions, repeat}),
    // macro tree attribute lists (top level by att, sub-lists by macro tree
    // path - the folder names concatenated - then att) and the answer of the
    // import dialog.
    property var gunData: ({})
    property var macroFiles: ({})
    property var macroTop: ({})
    property var macroSub: ({})
    property bool importAnswer: true
    // Answers of the macro, gun and lighting slots by slot name (a
    // function of the call's arguments, or a value), set by a test.
    property var answers: ({})

    function reset() {
        log = []
        globals = {
            "mouse/isColorful": "true", "mouse/icType": "553", "mouse/is55328": "false",
            "mouse/isGun": "true", "mouse/keyCount": "14", "common/language": "English",
            "mouse/profileNo": "0"
        }
        profile = { "mouse/mouseMode": "0" }
        profileLists = {}
        languages = {}
        nameLists = { "2": ["Standard0", "profile_01"] }
        deviceProfile = 1
        currentDpi = 2
        nowMs = 0
        refusedImports = []
        gunData = {}
        macroFiles = {}
        macroTop = {}
        macroSub = {}
        importAnswer = true
        answers = {}
    }

    // The answer a test set for a slot, or fallback.
    function answer(name, args, fallback) {
        var a = answers[name]
        if (a === undefined)
            return fallback
        return typeof a === "function" ? a.apply(null, args) : a
    }

    function record(name, args) {
        var copy = []
        for (var i = 0; i < args.length; ++i)
            copy.push(args[i])
        var l = log
        l.push({ name: name, args: copy })
        log = l
    }

    // Names of the logged calls, optionally only those starting with prefix.
    function names(prefix) {
        var out = []
        for (var i = 0; i < log.length; ++i) {
            if (!prefix || log[i].name.indexOf(prefix) === 0)
                out.push(log[i].name)
        }
        return out
    }

    // The logged calls of one name.
    function callsOf(name) {
        var out = []
        for (var i = 0; i < log.length; ++i) {
            if (log[i].name === name)
                out.push(log[i].args)
        }
        return out
    }

    property QtObject view: QtObject {
        function getGlobalData(key) { backend.record("ui_View.getGlobalData", arguments); return backend.globals[key] }
        function setGlobalData(key, value) { backend.record("ui_View.setGlobalData", arguments); backend.globals[key] = value }
        function getData(key, isRecovery) { backend.record("ui_View.getData", arguments); return backend.profile[key] }
        function setData(key, value) { backend.record("ui_View.setData", arguments); backend.profile[key] = value }
        function getDataList(key, isRecovery) { backend.record("ui_View.getDataList", arguments); return backend.profileLists[key] || [] }
        function setDataList(key, list) { backend.record("ui_View.setDataList", arguments); backend.profileLists[key] = list }
        function writePendingSettings() { return true }
        function getLangStrings(group, lang) {
            backend.record("ui_View.getLangStrings", arguments)
            var file = backend.languages[lang]
            return file && file[group] ? file[group] : []
        }
        function getNameList(type) { backend.record("ui_View.getNameList", arguments); return backend.nameLists[String(type)] || [] }
        function setCurrentProfile(no) { backend.record("ui_View.setCurrentProfile", arguments) }
        function programRules() { return { autoSwitch: false, notice: true, defaultProfile: 1, rules: [], unavailableReason: "" } }
        function removeProgramRulesOf(profile) { backend.record("ui_View.removeProgramRulesOf", arguments); return 0 }
        function resetProfile(no) { backend.record("ui_View.resetProfile", arguments) }
        function mouseReadCurrentProfile() { backend.record("ui_View.mouseReadCurrentProfile", arguments); return backend.deviceProfile }
        function mouseGetCurrentDPI() { backend.record("ui_View.mouseGetCurrentDPI", arguments); return backend.currentDpi }
        function mouseSetCurrentDPI(stage) { backend.record("ui_View.mouseSetCurrentDPI", arguments) }
        function mouseSwitchKeyMatrix(n) { backend.record("ui_View.mouseSwitchKeyMatrix", arguments) }
        function mouseResetKeyMatrix() { backend.record("ui_View.mouseResetKeyMatrix", arguments) }
        function setEnabled(enabled) { backend.record("ui_View.setEnabled", arguments) }

        // Button, DPI, system and profile pages.
        function mouseGetKeydefine(mode, index, isRecovery) {
            backend.record("ui_View.mouseGetKeydefine", arguments)
            return backend.profileLists[(mode === 0 ? "mouseKeyMatrix/" : "mouseKeyMatrix2/") + index] || []
        }
        function mouseSetKeyMatrix(mode, office, game, isSendData, rates) { backend.record("ui_View.mouseSetKeyMatrix", arguments) }
        function getGunData(name) { backend.record("ui_View.getGunData", arguments); return backend.gunData[String(name)] || [] }
        function mouseSetDpi(count, sensor, values, enables) { backend.record("ui_View.mouseSetDpi", arguments) }
        function mouseSetRGBColor(type, bytes) { backend.record("ui_View.mouseSetRGBColor", arguments) }
        function mouseSetCursorSpeed(speed) { backend.record("ui_View.mouseSetCursorSpeed", arguments) }
        function mouseSetDoubleClickSpeed(speed) { backend.record("ui_View.mouseSetDoubleClickSpeed", arguments) }
        function mouseSetVerticalScrollLines(lines) { backend.record("ui_View.mouseSetVerticalScrollLines", arguments) }
        function mouseSetLodValue(rate, en) { backend.record("ui_View.mouseSetLodValue", arguments) }
        function mouseSetReportRate(rate) { backend.record("ui_View.mouseSetReportRate", arguments) }
        function monotonicMs() { return backend.nowMs }
        function updataNameList(type, list) { backend.record("ui_View.updataNameList", arguments); backend.nameLists[String(type)] = list; return true }
        function saveProfile(slot, name) { backend.record("ui_View.saveProfile", arguments) }
        function loadProfile(slot) { backend.record("ui_View.loadProfile", arguments); return backend.importAnswer }
        function setMacroLevel(level) { backend.record("ui_View.setMacroLevel", arguments) }
        function setMacroSelectName(n1, n2, n3, n4, n5) { backend.record("ui_View.setMacroSelectName", arguments) }
        function getMacroList_Att(att) { backend.record("ui_View.getMacroList_Att", arguments); return backend.macroTop[String(att)] || [] }
        function getMacroSubList_Att(att, name) {
            backend.record("ui_View.getMacroSubList_Att", arguments)
            var folder = backend.macroSub[String(name)]
            return folder && folder[String(att)] ? folder[String(att)] : []
        }
        // The whole tree as the backend gives it: [names, types] per list.
        function getMacroTree() {
            backend.record("ui_View.getMacroTree", arguments)
            var tree = { "macro": [backend.nameLists["0"] || [], backend.macroTop["0"] || []] }
            for (var path in backend.macroSub)
                tree[path] = [backend.macroSub[path]["4"] || [], backend.macroSub[path]["0"] || []]
            return tree
        }
        function loadMacroIni(level, name) {
            backend.record("ui_View.loadMacroIni", arguments)
            var m = backend.macroFiles[String(name)]
            return m ? m.actions.concat([String(m.repeat)]) : []
        }
        function mouseSendMacroData(bytes, index) { backend.record("ui_View.mouseSendMacroData", arguments); return true }
        function deleteMacroUpdateProfile(name) { backend.record("ui_View.deleteMacroUpdateProfile", arguments) }
        function modifyMacroNameUpdateProfile(level, type, oldName, newName) { backend.record("ui_View.modifyMacroNameUpdateProfile", arguments); return true }

        // ---- macro editor, gun editor and lighting page ----
        function updataMacroList(att, level, name, l0, l1, l2, l3, l4, l5, l6, l7, l8, l9) { backend.record("ui_View.updataMacroList", arguments); return true }
        function updataMacroList_delOld(path) { backend.record("ui_View.updataMacroList_delOld", arguments) }
        // Logged as the selections, removals and single writes it stands for.
        function updataMacroLists(writes) {
            writes.forEach(function(w) {
                if (w.remove !== undefined) {
                    updataMacroList_delOld(w.remove)
                    return
                }
                var c = w.chain.slice(0, 5)
                while (c.length < 5)
                    c.push("")
                setMacroSelectName(c[0], c[1], c[2], c[3], c[4])
                updataMacroList.apply(null, [w.att, w.macroLevel, w.currentName].concat(w.lists))
            })
            return true
        }
        function createMacroIni(name, index, level, type) { backend.record("ui_View.createMacroIni", arguments); return true }
        function saveMacroIni(level, name, macros, repeat) { backend.record("ui_View.saveMacroIni", arguments); return true }
        // The editor's name rule, as the backend applies it (no dots).
        function isMacroNameAllowed(name) {
            var n = String(name)
            return n !== "" && n.trim() === n && !/[\\\/:*?"<>|,;=.\x00-\x1f\x7f]/.test(n)
                   && !/^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\..*)?$/i.test(n)
        }
        function getRefusedImportNames() { return backend.refusedImports }
        function getUnreadableImportFolder() { return "" }
        function deleteMacroIni(level, type, name) { backend.record("ui_View.deleteMacroIni", arguments); return true }
        function loadMacroFile(level, type) { backend.record("ui_View.loadMacroFile", arguments); return backend.answer("loadMacroFile", arguments, "") }
        function saveMacroFile(level, name) { backend.record("ui_View.saveMacroFile", arguments) }
        function loadMacroFile_batch() { backend.record("ui_View.loadMacroFile_batch", arguments); return backend.answer("loadMacroFile_batch", arguments, "") }
        function loadMacroFile_sub_batch() { backend.record("ui_View.loadMacroFile_sub_batch", arguments) }
        function getMacroFileName_batch(level, type) { backend.record("ui_View.getMacroFileName_batch", arguments); return backend.answer("getMacroFileName_batch", arguments, []) }
        function getbatchPath() { backend.record("ui_View.getbatchPath", arguments) }
        function saveMacroFile_batch(level, names, types) { backend.record("ui_View.saveMacroFile_batch", arguments) }
        function searchMacroFile_sub_batch(name, level, deleteLevel) { backend.record("ui_View.searchMacroFile_sub_batch", arguments) }
        function mouseSaveGundata(index, gun) { backend.record("ui_View.mouseSaveGundata", arguments) }
        function mouseSendGundata(slot, values) { backend.record("ui_View.mouseSendGundata", arguments) }
        function modifyGundata(type, gun) { backend.record("ui_View.modifyGundata", arguments) }
        function mouseSetLedType(effect, brightness, speed, direction, colors) { backend.record("ui_View.mouseSetLedType", arguments) }
    }

    property QtObject hid: QtObject {
        function hid560_02H_SetCurrentProfile(profile) { backend.record("hid.hid560_02H_SetCurrentProfile", arguments) }
    }

    property QtObject ctl: QtObject {
        function onMinimize() { backend.record("ui_Ctl.onMinimize", arguments) }
        function onHide() { backend.record("ui_Ctl.onHide", arguments) }
        function onXChanged(x) { backend.record("ui_Ctl.onXChanged", arguments) }
        function onYChanged(y) { backend.record("ui_Ctl.onYChanged", arguments) }
    }

    Component.onCompleted: reset()
}

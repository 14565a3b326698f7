import QtQuick
import "../common"
import "../common/Values.js" as Values
import "../common/keycodes.js" as KeyCodes
import "../common/macrocodec.js" as MacroCodec

// Macro editor (tab 2, lower part): the macro library as a tree of folders
// and macros (kept in the name index), the action list of the selected
// macro with its repeat count, recording from the global capture, and the
// run mode a macro gets when it is next bound to a button.
//
// Every edit is saved at once (saveMacroIni) and handed to the button page
// (keyMatrixPage.macroEdited), which sends it to the buttons bound to it.
// Renames and deletes go through the button page too (macroRenamed,
// macroDeleted): it updates its bindings, then calls the backend slot that
// renames the file or unbinds the macro in the stored profiles.
PageBase {
    id: page

    // Texts of the group "macroEditor", English until a language is loaded.
    property var macroEditorLang: [
        "Macro Editor", "Rename", "Delete", "Import", "Export",
        "New macro directory", "New macro", "Batch Import", "Batch export",
        "Delete", "Insert Delay", "Insert Key", "Insert Left Key",
        "Insert Middle Key", "Insert Right Key", "Times", "Start Record",
        "Stop Record", "Delay",
        "Macro runs one-time after pressing the button",
        "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released",
        "Already have a macro with the same name!", "Can't add a new folder!",
        "Confirm delete ?", "Macro List", "Actions", "OK", "Cancel",
        "Press a key to insert", "Folder", "Macro", "ms", "Run mode",
        "Bytes", "Select or create a macro", "Down", "Up",
        "This name is not allowed.", "Not imported, the name is not allowed:",
        "Not imported, this folder cannot be read:", "and %1 more"
    ]
    // A refused-names message names this many, then counts the rest.
    readonly property int refusedNamesShown: 5
    // Longer names are shortened in the middle in such a message.
    readonly property int refusedNameLength: 48

    // Deepest level a folder may sit at; level 5 holds macros only.
    readonly property int maxFolderLevel: 4
    // Left-click, middle-click and right-click codes of "Insert ... Key".
    readonly property var clickCodes: [0xF0, 0xF2, 0xF1]

    // The tree: a root holding the top-level entries. Each node is
    // {name, type (0 macro, 1 folder), level, children, open, parent}.
    property var tree: newNode("", 1, -1, null)
    // Visible rows of the tree, in display order.
    property var rows: []
    property var selectedNode: null
    // The macro whose actions are shown, or null.
    property var currentMacro: null
    // Its actions as {type, info}, and its repeat count.
    property var actions: []
    property int repeatCount: 1
    property int actionIndex: -1
    // Run mode for the next binding: 0 once, 1 until any button, 2 while held.
    property int runMode: 0

    property bool isRecording: false
    property bool isDelayRecorded: true
    // Waiting for the key of "Insert Key".
    property bool isInsertingKey: false
    // When the last key was recorded (or recording started), on the
    // backend's monotonic clock: a timer counting ticks loses them whenever
    // the GUI thread is busy.
    property real lastKeyMs: 0
    // Node whose name is being edited in place, and whether it was just created.
    property var editingNode: null
    // The rename was started from the keyboard: the keys go back to the tree after it.
    property bool renameByKeys: false

    // Keyboard recording. The Space/Return/Enter that started it from the
    // record button is not part of the macro; Escape twice in a row ends it
    // (the two presses are left out, a single Escape is recorded as any
    // key) and gives the keys back to the record button.
    readonly property int escapeCode: 0x29
    readonly property var activatingCodes: [0x28, 0x2C, 0x58]
    property bool skipActivatingKey: false
    // Length of the action list before the last Escape press, -1 when the
    // last key pressed was not Escape.
    property int escapeMark: -1
    property var focusAfterRecording: null

    readonly property int usedBytes: MacroCodec.recordCount(actionEntries(), repeatCount)

    // Keys reach the editor while it records, or waits for an inserted key,
    // and only while a macro is selected.
    isCapturing: currentMacro !== null && (isRecording || isInsertingKey)

    function tr(i) { return Values.at(macroEditorLang, i) }
    // The English texts, kept for the names of new entries: they become
    // file and folder names, which must never be empty.
    property var builtinLang: []
    Component.onCompleted: builtinLang = macroEditorLang.slice()
    function nameBase(i) { return tr(i) !== "" ? tr(i) : Values.at(builtinLang, i) }

    // ---- the tree model ----

    function newNode(name, type, level, parentNode) {
        return { name: String(name), type: type, level: level, children: [], open: false, parent: parentNode }
    }

    // A list from the name index, without the sentinel of one-item lists.
    function cleanList(v) {
        var list = Values.toList(v)
        if (list.length === 2 && list[1] === "emptyslotkey")
            list.pop()
        return list
    }

    // Names of the folders from the top level down to node (node included
    // when it is a folder), the chain the backend forms paths from.
    function chainOf(folder) {
        var chain = []
        for (var n = folder; n && n.level >= 0; n = n.parent)
            chain.unshift(n.name)
        return chain
    }

    function selectChain(chain) {
        var c = chain.slice(0, 5)
        while (c.length < 5)
            c.push("")
        ui_View.setMacroSelectName(c[0], c[1], c[2], c[3], c[4])
    }

    // The folder an entry lies in is selected before any operation on it.
    function selectParentOf(node) {
        selectChain(chainOf(node.parent))
    }

    // Names become file and folder names and items of the name index's
    // lists: the library's own rule decides, so that the tree, the index
    // and the files never disagree.
    function isValidName(name) {
        return ui_View.isMacroNameAllowed(String(name)) === true
    }

    // Tells the user about a folder an import could not read, or which files
    // it passed over for their names: the first few, and how many more.
    function reportRefusedImports() {
        var unreadable = String(ui_View.getUnreadableImportFolder())
        if (unreadable !== "") {
            warn(tr(40) + " " + unreadable)
            return 1
        }
        var refused = Values.toList(ui_View.getRefusedImportNames())
        if (refused.length > 0) {
            var shown = refused.slice(0, refusedNamesShown).map(function(n) {
                var name = String(n)
                var half = refusedNameLength / 2
                return name.length <= refusedNameLength ? name
                        : name.slice(0, half - 1) + "\u2026" + name.slice(name.length - half)
            })
            var text = tr(39) + " " + shown.join(", ")
            if (refused.length > refusedNamesShown)
                text += " " + tr(41).replace("%1", refused.length - refusedNamesShown)
            warn(text)
        }
        return refused.length
    }

    function childNamed(folder, name) {
        for (var i = 0; i < folder.children.length; ++i) {
            if (folder.children[i].name === name)
                return folder.children[i]
        }
        return null
    }

    // Bumped at every rebuild: rows show node fields that change in place.
    property int rowsVersion: 0

    function rebuildRows() {
        var out = []
        function walk(folder) {
            for (var i = 0; i < folder.children.length; ++i) {
                var n = folder.children[i]
                out.push(n)
                if (n.type === 1 && n.open)
                    walk(n)
            }
        }
        walk(tree)
        // A new row count resets the list; it stays where it was scrolled to.
        var y = treeList.contentY
        rows = out
        rowsVersion++
        if (treeList.contentY !== y) {
            treeList.forceLayout()
            treeList.contentY = Math.max(0, Math.min(y, treeList.contentHeight - treeList.height))
        }
    }

    // Indentation of an entry's text: one step per level, macros a little
    // further in than folders so that names line up after the folder icon.
    function txtMarginOf(level, type) {
        return 10 + level * 18 + (type === 0 ? 20 : 0)
    }

    // Reads the whole tree from the name index in one call: the lists of
    // every folder, keyed by the folder's macro tree path.
    function loadTree() {
        var openPaths = {}
        rows.forEach(function(n) { if (n.type === 1 && n.open) openPaths[chainOf(n).join("/")] = true })
        var root = newNode("", 1, -1, null)
        root.open = true
        var lists = ui_View.getMacroTree()
        function readChildren(folder, key) {
            var pair = lists[key]
            if (!pair)
                return
            var names = cleanList(pair[0])
            var types = cleanList(pair[1])
            for (var k = 0; k < names.length; ++k) {
                var type = Values.toInt(types[k], 0)
                // Nothing below the fifth level can be a folder.
                if (folder.level + 1 > maxFolderLevel)
                    type = 0
                folder.children.push(newNode(names[k], type, folder.level + 1, folder))
            }
            folder.children.forEach(function(c) {
                if (c.type === 1 && c.level < maxFolderLevel + 1) {
                    var chain = chainOf(c)
                    c.open = openPaths[chain.join("/")] === true
                    readChildren(c, chain.join(""))
                }
            })
        }
        readChildren(root, "macro")
        tree = root
        rebuildRows()
    }

    // The write of one folder's children list (att 1 stores it, att 0 first
    // clears the children of currentName).
    function listWrite(folder, att, currentName) {
        var lists = [[], [], [], [], [], [], [], [], [], []]
        for (var i = 0; i < folder.children.length; ++i) {
            var n = folder.children[i]
            lists[0].push(n.name)
            lists[1].push(String(n.type))
            lists[2].push(n.type === 1 ? "true" : "false")
            lists[3].push(String(txtMarginOf(n.level, n.type)))
            lists[4].push(String(n.level))
            // Position of the ancestor of each level within its own list.
            var no = [-1, -1, -1, -1, -1]
            for (var a = n.parent; a && a.level >= 0; a = a.parent) {
                if (a.level < 5)
                    no[a.level] = a.parent.children.indexOf(a)
            }
            for (var k = 0; k < 5; ++k)
                lists[5 + k].push(String(no[k]))
        }
        return { chain: chainOf(folder), att: att, macroLevel: folder.level + 1, currentName: currentName, lists: lists }
    }

    function writeList(folder, att, currentName) {
        ui_View.updataMacroLists([listWrite(folder, att, currentName)])
    }

    // The writes of a folder's list and of the lists of every folder below it.
    function treeWrites(folder, out) {
        out.push(listWrite(folder, 1, ""))
        folder.children.forEach(function(c) { if (c.type === 1) treeWrites(c, out) })
        return out
    }

    // Removals of the lists of a folder and of every folder below it.
    function groupRemovals(folder, out) {
        out.push({ remove: chainOf(folder).join("") })
        folder.children.forEach(function(c) { if (c.type === 1) groupRemovals(c, out) })
        return out
    }

    // Writes a folder's list and the lists of every folder below it, in one
    // write of the name index.
    function writeTree(folder) {
        ui_View.updataMacroLists(treeWrites(folder, []))
    }

    // ---- selection and the action list ----

    function entryText(a) { return String(a.type) + "," + a.info }

    function actionEntries() {
        var list = []
        for (var i = 0; i < actions.length; ++i)
            list.push(entryText(actions[i]))
        return list
    }

    function selectNode(node) {
        // A recording in progress is kept: it is saved to its own macro first.
        stopRecording()
        isInsertingKey = false
        selectedNode = node
        if (!node || node.type !== 0) {
            currentMacro = null
            actions = []
            actionIndex = -1
            return
        }
        selectParentOf(node)
        var list = Values.toList(ui_View.loadMacroIni(node.level, node.name))
        var loaded = []
        if (list.length > 0) {
            repeatCount = Values.toInt(list[list.length - 1], 0)
            for (var i = 0; i < list.length - 1; ++i) {
                var text = list[i]
                loaded.push({ type: Values.toInt(text.charAt(0), 0), info: text.substring(2) })
            }
        }
        currentMacro = node
        actions = loaded
        actionIndex = -1
    }

    // Stores the macro; the button page sends it again to every button
    // bound to it (a macro that no longer fits its slot is not sent).
    function saveMacro() {
        if (!currentMacro)
            return
        selectParentOf(currentMacro)
        ui_View.saveMacroIni(currentMacro.level, currentMacro.name, actionEntries(), repeatCount)
        var bytes = MacroCodec.deCode(actionEntries(), repeatCount)
        if (!MacroCodec.overflows(bytes))
            keyMatrixPage.macroEdited(currentMacro.name, bytes)
    }

    // True when one more action (and its delay) still fits the macro slot.
    function hasRoom(list) {
        return MacroCodec.recordCount(list !== undefined ? list : actionEntries(), repeatCount) < MacroCodec.recordLimit
    }

    // Inserts actions after the selected action (or at the end); refused
    // once the encoded macro has reached its limit.
    function insertActions(newActions) {
        if (!currentMacro || !hasRoom())
            return false
        var list = actions.slice()
        var at = actionIndex >= 0 && actionIndex < list.length ? actionIndex + 1 : list.length
        for (var i = 0; i < newActions.length; ++i)
            list.splice(at + i, 0, newActions[i])
        actions = list
        actionIndex = at + newActions.length - 1
        saveMacro()
        return true
    }

    function insertDelay() {
        return insertActions([{ type: 0, info: "50" }])
    }

    // which: 0 left, 1 middle, 2 right.
    function insertClick(which) {
        var name = KeyCodes.nameOf(clickCodes[which])
        return insertActions([{ type: 3, info: name }, { type: 4, info: name }])
    }

    function beginInsertKey() {
        if (currentMacro && hasRoom())
            isInsertingKey = true
    }

    function deleteAction(index) {
        if (!currentMacro || index < 0 || index >= actions.length)
            return
        var list = actions.slice()
        list.splice(index, 1)
        actions = list
        actionIndex = Math.min(index, list.length - 1)
        saveMacro()
    }

    // A delay typed into its row: 0 to 65535 ms.
    function setDelay(index, text) {
        if (!currentMacro || index < 0 || index >= actions.length || actions[index].type !== 0)
            return
        var ms = Math.max(0, Math.min(65535, Values.toInt(text, 0)))
        var list = actions.slice()
        list[index] = { type: 0, info: String(ms) }
        actions = list
        saveMacro()
    }

    // "Times": up to four digits; an emptied field counts as 0.
    function setRepeat(text) {
        var value = String(text).trim() === "" ? 0 : Math.max(0, Math.min(9999, Values.toInt(text, 0)))
        if (value === repeatCount && currentMacro)
            return
        repeatCount = value
        saveMacro()
    }

    // ---- recording ----

    function startRecording() {
        if (!currentMacro)
            return
        isInsertingKey = false
        lastKeyMs = Number(ui_View.monotonicMs())
        escapeMark = -1
        focusAfterRecording = null
        skipActivatingKey = false
        isRecording = true
    }

    // Started from the keyboard on keyOwner (the record button).
    function startRecordingByKeys(keyOwner) {
        startRecording()
        if (!isRecording)
            return
        focusAfterRecording = keyOwner
        skipActivatingKey = true
    }

    // Recording collects keys in memory; the macro is saved (and sent) once
    // when recording stops.
    function stopRecording(save) {
        if (!isRecording)
            return
        isRecording = false
        focusAfterRecording = null
        if (save !== false)
            saveMacro()
    }

    // Escape pressed twice: the recording ends without the two presses.
    function stopRecordingByKeys() {
        var list = actions.slice(0, escapeMark)
        actions = list
        actionIndex = list.length - 1
        var owner = focusAfterRecording
        stopRecording()
        if (owner && owner.visible)
            owner.forceActiveFocus(Qt.TabFocusReason)
    }

    // The pause since the last recorded key, in whole 10 ms units (rounded),
    // within what a delay entry may hold.
    function pauseSinceLastKey(now) {
        var units = Math.round(Math.max(0, now - lastKeyMs) / 10)
        return Math.min(6553, units) * 10
    }

    function captureKey(isDown, usbCode) {
        keyCaptured(isDown, usbCode)
        if (!currentMacro)
            return
        var code = Values.toInt(usbCode, 0)
        var mouse = code >= 0xF0
        var action = { type: mouse ? (isDown ? 3 : 4) : (isDown ? 1 : 2), info: KeyCodes.nameOf(code) }
        if (isInsertingKey) {
            // The inserted key is a full press: down and up.
            if (!isDown)
                return
            isInsertingKey = false
            insertActions([action, { type: mouse ? 4 : 2, info: action.info }])
            return
        }
        if (!isRecording)
            return
        if (skipActivatingKey && activatingCodes.indexOf(code) >= 0) {
            if (!isDown)
                skipActivatingKey = false
            return
        }
        if (isDown && code === escapeCode && escapeMark >= 0) {
            stopRecordingByKeys()
            return
        }
        if (isDown)
            escapeMark = code === escapeCode ? actions.length : -1
        var now = Number(ui_View.monotonicMs())
        var added = []
        if (isDelayRecorded && actions.length > 0)
            added.push({ type: 0, info: String(pauseSinceLastKey(now)) })
        added.push(action)
        var list = actions.concat(added)
        var entries = list.map(entryText)
        if (!hasRoom(actionEntries()) || MacroCodec.recordCount(entries, repeatCount) > MacroCodec.recordLimit)
            return
        actions = list
        actionIndex = list.length - 1
        lastKeyMs = now
    }

    // ---- keyboard ----

    // What a screen reader says for a step of the action list.
    function stepName(a) {
        var text = mainIten.keyboardTexts[a.type === 0 ? 3 : (a.type === 1 || a.type === 3) ? 1 : 2]
        return String(text).replace("%1", a.info)
    }

    // A row of the tree activated (Return, Space, the reader's press): an
    // entry not yet selected is selected, and a folder opens; a selected
    // folder opens or closes, as a click does.
    function activateNode(node) {
        if (selectedNode !== node) {
            selectNode(node)
            if (node.type === 1 && !node.open)
                setOpen(node, true)
        } else if (node.type === 1) {
            setOpen(node, !node.open)
        }
    }

    function setOpen(folder, open) {
        folder.open = open
        rebuildRows()
        treeList.positionViewAtIndex(Math.max(0, rows.indexOf(folder)), ListView.Contain)
    }

    function selectRow(i) {
        if (i >= 0 && i < rows.length) {
            if (rows[i] !== selectedNode)
                selectNode(rows[i])
            treeList.positionViewAtIndex(i, ListView.Contain)
        }
        return true
    }

    // Keys a name or delay field keeps from the list around it: all but
    // Escape (it closes the field), Tab and the frame's Ctrl/Alt shortcuts.
    function isFieldKey(event) {
        return event.key !== Qt.Key_Escape && event.key !== Qt.Key_Tab && event.key !== Qt.Key_Backtab
               && !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier))
    }

    function isMenuKey(event) {
        return event.key === Qt.Key_Menu || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))
    }

    // The menu of a list opened from the keyboard, below the row the keys are on.
    function openMenuByKeys(menu, list, index, box) {
        var row = index >= 0 ? list.itemAtIndex(index) : null
        var p = row ? row.mapToItem(page, 40, row.height) : Qt.point(box.x + 20, box.y + 20)
        menu.openByKeys(p.x, p.y, list)
    }

    // Keys of the tree: Up/Down (Home/End, Page Up/Down) move the selection,
    // Right opens a folder or goes into it, Left closes it or goes to its
    // folder, Return/Space activate, F2 renames, Delete asks to delete, the
    // menu key opens the tree's menu.
    function treeKey(event) {
        var at = rows.indexOf(selectedNode)
        var node = selectedNode
        switch (event.key) {
        case Qt.Key_Up: return selectRow(at < 0 ? 0 : at - 1)
        case Qt.Key_Down: return selectRow(at + 1)
        case Qt.Key_Home: return selectRow(0)
        case Qt.Key_End: return selectRow(rows.length - 1)
        case Qt.Key_PageUp: return selectRow(Math.max(0, at - 10))
        case Qt.Key_PageDown: return selectRow(Math.min(rows.length - 1, at + 10))
        case Qt.Key_Right:
            if (node && node.type === 1 && !node.open)
                setOpen(node, true)
            else if (node && node.type === 1 && node.children.length > 0)
                selectRow(at + 1)
            return true
        case Qt.Key_Left:
            if (node && node.type === 1 && node.open)
                setOpen(node, false)
            else if (node && node.parent && node.parent.level >= 0)
                selectRow(rows.indexOf(node.parent))
            return true
        case Qt.Key_Return:
        case Qt.Key_Enter:
        case Qt.Key_Space:
            if (node)
                activateNode(node)
            else
                selectRow(0)
            return true
        case Qt.Key_F2:
            if (node) {
                renameByKeys = true
                editingNode = node
            }
            return true
        case Qt.Key_Delete:
            if (node)
                askDelete(node)
            return true
        }
        if (isMenuKey(event)) {
            openMenuByKeys(treeMenu, treeList, at, treeBox)
            return true
        }
        return false
    }

    function setActionIndexByKeys(i) {
        if (actions.length === 0)
            return true
        actionIndex = Math.max(0, Math.min(actions.length - 1, i))
        actionView.positionViewAtIndex(actionIndex, ListView.Contain)
        return true
    }

    // Keys of the action list: Up/Down (Home/End, Page Up/Down) select a
    // step, Return edits a delay, Delete removes the step, the menu key
    // opens the list's menu (insert delay, key, clicks).
    function actionKey(event) {
        switch (event.key) {
        case Qt.Key_Up: return setActionIndexByKeys(actionIndex < 0 ? 0 : actionIndex - 1)
        case Qt.Key_Down: return setActionIndexByKeys(actionIndex + 1)
        case Qt.Key_Home: return setActionIndexByKeys(0)
        case Qt.Key_End: return setActionIndexByKeys(actions.length - 1)
        case Qt.Key_PageUp: return setActionIndexByKeys(actionIndex - 10)
        case Qt.Key_PageDown: return setActionIndexByKeys(actionIndex + 10)
        case Qt.Key_Return:
        case Qt.Key_Enter:
            var row = actionIndex >= 0 ? actionView.itemAtIndex(actionIndex) : null
            if (row)
                row.editDelay(true)
            return true
        case Qt.Key_Delete:
            deleteAction(actionIndex)
            return true
        }
        if (isMenuKey(event)) {
            openMenuByKeys(actionMenu, actionView, actionIndex, actionBox)
            return true
        }
        return false
    }

    // An entry made from the empty library's links; it is renamed at once.
    function createFromLink(type, byKeys) {
        var node = createEntry(type)
        if (node) {
            renameByKeys = byKeys
            editingNode = node
        }
    }

    // ---- library operations ----

    function warn(text) {
        warningDialog.show(text)
    }

    // The folder that receives a new entry: the selected folder, or the
    // folder of the selected macro, or the top level.
    function targetFolder() {
        if (!selectedNode)
            return tree
        return selectedNode.type === 1 ? selectedNode : selectedNode.parent
    }

    function uniqueName(folder, base) {
        for (var i = 1; ; ++i) {
            var name = base + " " + i
            if (!childNamed(folder, name))
                return name
        }
    }

    // Creates a macro (type 0) or a folder (type 1) with a free name and
    // returns its node, or null when it cannot be made.
    function createEntry(type, name) {
        var folder = targetFolder()
        if (type === 1 && folder.level + 1 > maxFolderLevel) {
            warn(tr(23))
            return null
        }
        if (folder.level + 1 > 5)
            return null
        var entryName = name !== undefined ? String(name) : uniqueName(folder, nameBase(type === 1 ? 30 : 31))
        if (!isValidName(entryName)) {
            warn(tr(38))
            return null
        }
        if (childNamed(folder, entryName)) {
            warn(tr(22))
            return null
        }
        var node = newNode(entryName, type, folder.level + 1, folder)
        selectChain(chainOf(folder))
        ui_View.createMacroIni(entryName, folder.children.length, node.level, type)
        folder.children.push(node)
        folder.open = true
        writeList(folder, 0, entryName)
        rebuildRows()
        selectNode(node)
        return node
    }

    // Renames an entry: the tree and the name index first, then the button
    // page, then the file or folder on disk.
    function renameEntry(node, newName) {
        var name = String(newName).trim()
        if (!node || name === node.name)
            return false
        if (!isValidName(name)) {
            warn(tr(38))
            return false
        }
        if (childNamed(node.parent, name)) {
            warn(tr(22))
            return false
        }
        var oldName = node.name
        // All or nothing: the file or folder on disk (whose place the
        // selected folder names give) and the button page's bindings first,
        // then the name index; when the index cannot be written the rename
        // is undone, so file, index and profiles keep the old name.
        selectParentOf(node)
        if (!keyMatrixPage.macroRenamed(node.level, node.type, oldName, name))
            return false
        // Only the lists this rename changes are written, in one write: the
        // lists that hold the entry up to the top level and, for a folder,
        // every list below it, whose groups are named after the folder's
        // path (removed under the old names, stored under the new ones).
        var writes = node.type === 1 ? groupRemovals(node, []) : []
        node.name = name
        writes.push(listWrite(tree, 1, ""))
        for (var f = node.parent; f && f.level >= 0; f = f.parent)
            writes.push(listWrite(f, 1, ""))
        if (node.type === 1)
            treeWrites(node, writes)
        if (!ui_View.updataMacroLists(writes)) {
            node.name = oldName
            selectParentOf(node)
            keyMatrixPage.macroRenamed(node.level, node.type, name, oldName)
            return false
        }
        selectParentOf(node)
        rebuildRows()
        if (node === currentMacro)
            selectNode(node)
        return true
    }

    // Deletes an entry: the index below it, the button bindings, the file
    // or folder, then its place in the tree.
    function deleteEntry(node) {
        if (!node)
            return
        // A recording into the deleted macro ends without saving.
        if (isInside(currentMacro, node)) {
            isRecording = false
            isInsertingKey = false
        }
        // The lists below a deleted folder go with it.
        var writes = node.type === 1 ? groupRemovals(node, []) : []
        // The button page unbinds it here and in the stored profiles.
        keyMatrixPage.macroDeleted(node.name)
        selectParentOf(node)
        ui_View.deleteMacroIni(node.level, node.type, node.name)
        var folder = node.parent
        var position = folder.children.indexOf(node)
        folder.children.splice(position, 1)
        writes.push(listWrite(folder, 0, node.name))
        // Folders after it moved up one place, which the lists below them
        // record as their ancestor's position.
        for (var i = position; i < folder.children.length; ++i) {
            if (folder.children[i].type === 1)
                treeWrites(folder.children[i], writes)
        }
        ui_View.updataMacroLists(writes)
        if (selectedNode === node || isInside(currentMacro, node))
            selectNode(null)
        rebuildRows()
    }

    function isInside(n, ancestor) {
        for (var a = n; a; a = a.parent) {
            if (a === ancestor)
                return true
        }
        return false
    }

    // A single ".mc" file: into the selected folder, or the top level when
    // a macro or nothing is selected.
    function importMacro() {
        var folder = selectedNode && selectedNode.type === 1 ? selectedNode : tree
        if (folder.level + 1 > 5)
            return
        selectChain(chainOf(folder))
        var name = String(ui_View.loadMacroFile(folder === tree ? -1 : folder.level,
                                                folder === tree ? -1 : 1))
        if (name === "") {
            reportRefusedImports()
            return
        }
        if (childNamed(folder, name)) {
            warn(tr(22))
            return
        }
        var node = newNode(name, 0, folder.level + 1, folder)
        folder.children.push(node)
        folder.open = true
        writeList(folder, 0, name)
        rebuildRows()
        selectNode(node)
    }

    function exportMacro(node) {
        if (!node || node.type !== 0)
            return
        selectParentOf(node)
        ui_View.saveMacroFile(node.level, node.name)
    }

    // Reads a folder's content from disk into the tree, one level at a time
    // with the library scan (it removes no index list at depth 5).
    function readFolderFromDisk(folder) {
        selectChain(chainOf(folder.parent))
        ui_View.searchMacroFile_sub_batch(folder.name, folder.level, 5)
        var files = Values.toList(ui_View.getMacroFileName_batch(1, 0))
        var dirs = folder.level + 1 <= maxFolderLevel ? Values.toList(ui_View.getMacroFileName_batch(1, 1)) : []
        files.forEach(function(n) { if (!childNamed(folder, n)) folder.children.push(newNode(n, 0, folder.level + 1, folder)) })
        dirs.forEach(function(n) { if (!childNamed(folder, n)) folder.children.push(newNode(n, 1, folder.level + 1, folder)) })
        folder.children.forEach(function(c) { if (c.type === 1) readFolderFromDisk(c) })
    }

    // A directory of ".mc" files becomes a new top-level folder.
    function batchImport() {
        var name = String(ui_View.loadMacroFile_batch())
        if (name === "") {
            reportRefusedImports()
            return
        }
        if (childNamed(tree, name)) {
            warn(tr(22))
            return
        }
        ui_View.loadMacroFile_sub_batch()
        var levels = [[1, 0], [1, 1], [2, 0], [2, 1], [3, 0], [3, 1], [4, 0], [4, 1], [5, 0]]
        levels.forEach(function(p) { ui_View.getMacroFileName_batch(p[0], p[1]) })
        var node = newNode(name, 1, 0, tree)
        tree.children.push(node)
        // The flat lists of the import do not say which folder holds which
        // entry, so the new folder is read back level by level.
        readFolderFromDisk(node)
        node.open = true
        writeList(tree, 0, name)
        writeTree(node)
        rebuildRows()
        reportRefusedImports()
    }

    // The whole library into a directory "Macro" of the chosen place.
    function batchExport() {
        ui_View.getbatchPath()
        function exportFolder(folder) {
            var names = folder.children.map(function(c) { return c.name })
            var types = folder.children.map(function(c) { return c.type })
            selectChain(chainOf(folder))
            ui_View.saveMacroFile_batch(folder.level + 1, names, types)
            folder.children.forEach(function(c) { if (c.type === 1) exportFolder(c) })
        }
        exportFolder(tree)
    }

    // The menus, opened at a point of the page (right click, or the menu
    // buttons above the lists).
    // keyOwner: the control that opened the menu from the keyboard, or null.
    function openTreeMenu(px, py, keyOwner) {
        if (keyOwner)
            treeMenu.openByKeys(px, py, keyOwner)
        else
            treeMenu.openAt(px, py)
    }
    function openActionMenu(px, py, keyOwner) {
        if (!currentMacro)
            return
        if (keyOwner)
            actionMenu.openByKeys(px, py, keyOwner)
        else
            actionMenu.openAt(px, py)
    }

    function askDelete(node) {
        pendingDelete = node
        deleteConfirm.text = tr(24)
        mainIten.showDialog(deleteConfirm)
    }
    property var pendingDelete: null

    function init(isSendData, isRecovery) {
        loadTree()
        pageInitialised(isSendData === true, isRecovery === true)
    }

    // Recorded and stored key names follow the language's key names.
    Connections {
        target: keyCodeString
        function onKeyCodeLangChanged() { KeyCodes.setNames(keyCodeString.keyCodeLang) }
    }

    // ---- layout ----

    PagePanel {
        anchors.fill: parent
        caption: page.tr(0)
    }

    // Three dots that open a list's menu; from the keyboard the menu takes the keys.
    component MenuButton: Rectangle {
        id: menuButton
        property string listName: ""
        signal clicked(var keyOwner)
        activeFocusOnTab: mainIten.keyReachable(menuButton)
        Accessible.role: Accessible.Button
        Accessible.name: String(mainIten.keyboardTexts[6]).replace("%1", listName)
        Accessible.onPressAction: clicked(null)
        Keys.onSpacePressed: clicked(menuButton)
        Keys.onReturnPressed: clicked(menuButton)
        Keys.onEnterPressed: clicked(menuButton)
        width: 24
        height: 22
        radius: 3
        color: menuArea.containsMouse ? "#2e2a24" : "transparent"
        Row {
            anchors.centerIn: parent
            spacing: 3
            Repeater {
                model: 3
                delegate: Rectangle {
                    width: 4; height: 4; radius: 2
                    color: menuArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray2
                }
            }
        }
        MouseArea {
            id: menuArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: parent.clicked(null)
        }
        FocusRing {}
    }

    component SectionLabel: Text {
        color: mainIten.colorGray2
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize + 1
        font.letterSpacing: mainIten.langIndex === 0 ? 1 : 0
    }

    // The library tree.
    Rectangle {
        id: treeBox
        objectName: "macroTree"
        x: 16
        y: 70
        width: 330
        height: parent.height - y - 14
        radius: 3
        color: "#99101114"
        border.color: mainIten.colorGray1

        SectionLabel {
            x: 2
            y: -22
            text: page.tr(25)
        }
        MenuButton {
            objectName: "treeMenuButton"
            listName: page.tr(25)
            anchors.right: parent.right
            y: -26
            onClicked: function(keyOwner) {
                page.openTreeMenu(treeBox.x + treeBox.width - treeMenu.width, treeBox.y, keyOwner)
            }
        }
        // An empty library offers its first entries directly.
        Column {
            anchors.centerIn: parent
            visible: page.rows.length === 0
            spacing: 10
            z: 2
            Repeater {
                model: [[0, 6], [1, 5]]
                delegate: Text {
                    required property var modelData
                    id: link
                    objectName: modelData[0] === 0 ? "emptyNewMacro" : "emptyNewFolder"
                    activeFocusOnTab: mainIten.keyReachable(link)
                    Accessible.role: Accessible.Button
                    Accessible.name: page.tr(modelData[1])
                    Accessible.onPressAction: page.createFromLink(modelData[0], false)
                    Keys.onSpacePressed: page.createFromLink(modelData[0], true)
                    Keys.onReturnPressed: page.createFromLink(modelData[0], true)
                    Keys.onEnterPressed: page.createFromLink(modelData[0], true)
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: "+  " + page.tr(modelData[1])
                    color: linkArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray2
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMinSize + 2
                    MouseArea {
                        id: linkArea
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: page.createFromLink(parent.modelData[0], false)
                    }
                    FocusRing {}
                }
            }
        }
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onPressed: function(mouse) {
                page.editingNode = null
                page.selectNode(null)
                if (mouse.button === Qt.RightButton)
                    treeMenu.openAt(treeBox.x + mouse.x, treeBox.y + mouse.y)
                else
                    mainIten.mainFocus()
            }
        }
        FocusRing { visible: treeList.activeFocus }
        // Rows are made only for the part of the tree in view (and about a
        // screenful around it), however large the library.
        ListView {
            id: treeList
            objectName: "macroTreeList"
            activeFocusOnTab: mainIten.keyReachable(treeList) && page.rows.length > 0
            Accessible.role: Accessible.Tree
            Accessible.name: page.tr(25)
            Keys.onPressed: function(event) { event.accepted = page.treeKey(event) }
            // The selected row is the current one: with the keys in the
            // tree, it holds the focus a screen reader follows.
            currentIndex: page.rowsVersion >= 0 ? page.rows.indexOf(page.selectedNode) : -1
            anchors.fill: parent
            anchors.margins: 4
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            cacheBuffer: 300
            model: page.rows.length
            delegate: Rectangle {
                id: row
                required property int index
                // The node itself (not a copy), so that selection compares by identity.
                readonly property var modelData: page.rows[index]
                // Node fields that change in place, re-read at every rebuild of the rows.
                readonly property string nodeName: page.rowsVersion >= 0 && modelData ? modelData.name : ""
                readonly property bool isOpen: page.rowsVersion >= 0 && modelData ? modelData.open : false
                readonly property bool selected: page.selectedNode === modelData
                objectName: "treeRow_" + nodeName
                Accessible.role: Accessible.TreeItem
                Accessible.name: nodeName
                // Qt Quick has no expanded state to set: a folder says it in its description.
                Accessible.description: modelData && modelData.type === 1 ? mainIten.keyboardTexts[isOpen ? 4 : 5] : page.tr(31)
                Accessible.selectable: true
                Accessible.selected: selected
                Accessible.onPressAction: page.activateNode(modelData)
                width: treeList.width
                height: 28
                radius: 2
                color: selected ? "#3a2c1c" : rowArea.containsMouse && !mainIten.isDialogOpen ? "#24262b" : "transparent"
                Rectangle {
                    visible: row.selected
                    width: 2
                    height: parent.height
                    color: mainIten.colorPrimary
                }
                // Folder: a small tab and body, open or closed.
                Item {
                    visible: row.modelData.type === 1
                    x: page.txtMarginOf(row.modelData.level, 1) - 4
                    anchors.verticalCenter: parent.verticalCenter
                    width: 16
                    height: 12
                    Rectangle { x: 0; y: 0; width: 7; height: 4; radius: 1; color: mainIten.colorPrimary }
                    Rectangle {
                        y: 2; width: 16; height: 10; radius: 2
                        color: row.isOpen ? "transparent" : mainIten.colorPrimary
                        border.color: mainIten.colorPrimary
                        border.width: 1.5
                    }
                }
                Rectangle {
                    visible: row.modelData.type === 0
                    x: page.txtMarginOf(row.modelData.level, 0) - 12
                    anchors.verticalCenter: parent.verticalCenter
                    width: 5
                    height: 5
                    radius: 2.5
                    color: row.selected ? mainIten.colorPrimary : mainIten.colorGray2
                }
                Text {
                    visible: page.editingNode !== row.modelData
                    x: page.txtMarginOf(row.modelData.level, row.modelData.type) + (row.modelData.type === 1 ? 18 : 0)
                    width: parent.width - x - 6
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.nodeName
                    elide: Text.ElideRight
                    color: row.selected ? mainIten.colorPrimary : mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize - 1
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function(mouse) {
                        mainIten.mainFocus()
                        if (page.editingNode && page.editingNode !== row.modelData)
                            page.editingNode = null
                        if (page.selectedNode !== row.modelData)
                            page.selectNode(row.modelData)
                        else if (row.modelData.type === 1 && mouse.button === Qt.LeftButton) {
                            row.modelData.open = !row.modelData.open
                            page.rebuildRows()
                            return
                        }
                        if (mouse.button === Qt.RightButton) {
                            var p = row.mapToItem(page, mouse.x, mouse.y)
                            treeMenu.openAt(p.x, p.y)
                        } else if (row.modelData.type === 1 && !row.modelData.open) {
                            row.modelData.open = true
                            page.rebuildRows()
                        }
                    }
                    onDoubleClicked: page.editingNode = row.modelData
                }
                TextInput {
                    id: nameEditor
                    objectName: "nameEditor"
                    visible: page.editingNode === row.modelData
                    x: page.txtMarginOf(row.modelData.level, row.modelData.type) + (row.modelData.type === 1 ? 18 : 0) - 4
                    width: parent.width - x - 6
                    height: 24
                    anchors.verticalCenter: parent.verticalCenter
                    verticalAlignment: TextInput.AlignVCenter
                    leftPadding: 4
                    clip: true
                    maximumLength: 40
                    // Every character the name rule refuses (",", ".", "/" ...)
                    // can be typed and gets the rule's one message on Return,
                    // rather than some vanishing silently.
                    color: mainIten.fontColor
                    selectionColor: mainIten.colorPrimary
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize - 1
                    onVisibleChanged: {
                        if (visible) {
                            text = row.modelData.name
                            selectAll()
                            forceActiveFocus()
                        }
                    }
                    Accessible.name: page.tr(1)
                    // A rename started from the keyboard gives the keys back to the tree.
                    function finish() {
                        // Off the list's focus scope first, or the list would hand it back here.
                        focus = false
                        page.editingNode = null
                        if (page.renameByKeys) {
                            page.renameByKeys = false
                            treeList.forceActiveFocus(Qt.TabFocusReason)
                        }
                    }
                    onAccepted: {
                        var node = row.modelData
                        finish()
                        page.renameEntry(node, text)
                    }
                    onActiveFocusChanged: if (!activeFocus && page.editingNode === row.modelData) page.editingNode = null
                    // What the field passes on (Return after accepting it,
                    // the arrows, Delete at the end) is not the tree's.
                    Keys.priority: Keys.AfterItem
                    Keys.onPressed: function(event) { event.accepted = page.isFieldKey(event) }
                    Keys.onEscapePressed: finish()
                    Rectangle {
                        anchors.fill: parent
                        z: -1
                        color: "#1f2024"
                        border.color: mainIten.colorPrimary
                        radius: 2
                    }
                }
            }
        }
    }

    // The action list of the selected macro.
    Rectangle {
        id: actionBox
        objectName: "actionList"
        x: treeBox.x + treeBox.width + 16
        y: treeBox.y
        width: 380
        height: treeBox.height
        radius: 3
        color: "#99101114"
        border.color: mainIten.colorGray1

        SectionLabel {
            x: 2
            y: -22
            text: page.tr(26) + (page.currentMacro ? "  ·  " + page.currentMacro.name : "")
            width: parent.width - 110
            elide: Text.ElideRight
        }
        MenuButton {
            objectName: "actionMenuButton"
            listName: page.tr(26)
            anchors.right: parent.right
            y: -26
            visible: page.currentMacro !== null
            onClicked: function(keyOwner) {
                page.openActionMenu(actionBox.x + actionBox.width - actionMenu.width, actionBox.y, keyOwner)
            }
        }
        SectionLabel {
            anchors.right: parent.right
            anchors.rightMargin: 30
            y: -22
            text: page.tr(34) + " " + page.usedBytes + "/" + MacroCodec.recordLimit
            color: page.usedBytes >= MacroCodec.recordLimit ? mainIten.colorAccent : mainIten.colorGray2
            visible: page.currentMacro !== null
        }
        Text {
            anchors.centerIn: parent
            visible: page.currentMacro === null
            text: page.tr(35)
            color: mainIten.colorGray6
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontMinSize + 2
        }
        FocusRing { visible: actionView.activeFocus }
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onPressed: function(mouse) {
                mainIten.mainFocus()
                page.actionIndex = -1
                if (mouse.button === Qt.RightButton && page.currentMacro)
                    actionMenu.openAt(actionBox.x + mouse.x, actionBox.y + mouse.y)
            }
        }
        ListView {
            id: actionView
            objectName: "actionView"
            activeFocusOnTab: mainIten.keyReachable(actionView) && page.actions.length > 0
            Accessible.role: Accessible.List
            Accessible.name: page.tr(26)
            Keys.onPressed: function(event) { event.accepted = page.actionKey(event) }
            anchors.fill: parent
            anchors.margins: 4
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: page.actions.length
            currentIndex: page.actionIndex
            onCountChanged: if (page.isRecording) positionViewAtEnd()
            delegate: Rectangle {
                id: actionRow
                objectName: "actionRow" + index
                required property int index
                readonly property var action: page.actions[index] || { type: 0, info: "" }
                readonly property bool selected: page.actionIndex === index
                Accessible.role: Accessible.ListItem
                Accessible.name: page.stepName(action)
                Accessible.selectable: true
                Accessible.selected: selected
                Accessible.onPressAction: page.actionIndex = index
                function editDelay(byKeys) {
                    if (action.type === 0)
                        delayEditor.open(byKeys)
                }
                width: actionView.width
                height: 26
                radius: 2
                color: selected ? "#3a2c1c" : index % 2 ? "#14ffffff" : "transparent"
                Text {
                    x: 8
                    width: 30
                    anchors.verticalCenter: parent.verticalCenter
                    text: String(actionRow.index + 1)
                    horizontalAlignment: Text.AlignRight
                    color: mainIten.colorGray6
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMinSize
                }
                // Press, release or pause marker.
                Rectangle {
                    x: 48
                    anchors.verticalCenter: parent.verticalCenter
                    width: 72
                    height: 18
                    radius: 9
                    color: actionRow.action.type === 0 ? "transparent"
                           : (actionRow.action.type === 1 || actionRow.action.type === 3) ? "#4d3a22" : "#24333d"
                    border.color: actionRow.action.type === 0 ? mainIten.colorGray6 : "transparent"
                    Text {
                        anchors.centerIn: parent
                        text: actionRow.action.type === 0 ? page.tr(18)
                              : (actionRow.action.type === 1 || actionRow.action.type === 3) ? page.tr(36) : page.tr(37)
                        color: actionRow.action.type === 0 ? mainIten.colorGray2
                               : (actionRow.action.type === 1 || actionRow.action.type === 3) ? mainIten.colorPrimary : "#8cc8ff"
                        font.family: mainIten.fontFamily
                        font.pixelSize: mainIten.fontMinSize
                    }
                }
                Text {
                    visible: !delayEditor.visible
                    x: 134
                    anchors.verticalCenter: parent.verticalCenter
                    text: actionRow.action.type === 0 ? actionRow.action.info + " " + page.tr(32) : actionRow.action.info
                    color: actionRow.action.type === 0 ? mainIten.colorGray3 : mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize - 1
                }
                MouseArea {
                    anchors.fill: parent
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function(mouse) {
                        mainIten.mainFocus()
                        page.actionIndex = actionRow.index
                        if (mouse.button === Qt.RightButton) {
                            var p = actionRow.mapToItem(page, mouse.x, mouse.y)
                            actionMenu.openAt(p.x, p.y)
                        }
                    }
                    onDoubleClicked: actionRow.editDelay(false)
                }
                TextInput {
                    id: delayEditor
                    objectName: "delayEditor"
                    visible: false
                    x: 130
                    width: 90
                    height: 22
                    anchors.verticalCenter: parent.verticalCenter
                    verticalAlignment: TextInput.AlignVCenter
                    leftPadding: 4
                    validator: IntValidator { bottom: 0; top: 65535 }
                    maximumLength: 5
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize - 1
                    Accessible.name: page.tr(18)
                    // Opened from the keyboard: the keys go back to the list after it.
                    property bool byKeys: false
                    function open(fromKeys) {
                        byKeys = fromKeys === true
                        text = actionRow.action.info
                        visible = true
                        selectAll()
                        forceActiveFocus()
                    }
                    function close() {
                        focus = false
                        visible = false
                        if (byKeys)
                            actionView.forceActiveFocus(Qt.TabFocusReason)
                        byKeys = false
                    }
                    onAccepted: {
                        close()
                        page.setDelay(actionRow.index, text)
                    }
                    // What the field passes on is not the list's.
                    Keys.priority: Keys.AfterItem
                    Keys.onPressed: function(event) { event.accepted = page.isFieldKey(event) }
                    Keys.onEscapePressed: close()
                    onActiveFocusChanged: if (!activeFocus) visible = false
                    Rectangle {
                        anchors.fill: parent
                        z: -1
                        color: "#1f2024"
                        border.color: mainIten.colorPrimary
                        radius: 2
                    }
                }
            }
        }
    }

    // Repeat count, recording and run mode.
    Column {
        id: controls
        x: actionBox.x + actionBox.width + 24
        y: treeBox.y
        width: parent.width - x - 20
        spacing: 10

        Row {
            spacing: 10
            SectionLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: page.tr(15)
            }
            Rectangle {
                width: 72
                height: 28
                radius: 3
                color: "#1f2024"
                border.color: timesInput.activeFocus ? mainIten.colorPrimary : mainIten.colorGray1
                opacity: page.currentMacro ? 1 : 0.5
                TextInput {
                    id: timesInput
                    objectName: "timesInput"
                    activeFocusOnTab: mainIten.keyReachable(timesInput) && enabled
                    Accessible.name: page.tr(15)
                    anchors.fill: parent
                    anchors.leftMargin: 8
                    anchors.rightMargin: 8
                    verticalAlignment: TextInput.AlignVCenter
                    enabled: page.currentMacro !== null
                    maximumLength: 4
                    validator: RegularExpressionValidator { regularExpression: /[0-9]{0,4}/ }
                    text: String(page.repeatCount)
                    color: mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    onEditingFinished: page.setRepeat(text)
                }
            }
            Item { width: 14; height: 1 }
            CheckItem {
                objectName: "delayCheck"
                anchors.verticalCenter: parent.verticalCenter
                text: page.tr(18)
                checked: page.isDelayRecorded
                onToggled: page.isDelayRecorded = !page.isDelayRecorded
            }
        }

        TextButton {
            id: recordButton
            objectName: "recordButton"
            minimumWidth: Math.min(parent.width, 200)
            text: page.isRecording ? page.tr(17) : page.tr(16)
            textColor: page.isRecording ? mainIten.colorAccent : (page.currentMacro ? mainIten.fontColor : mainIten.colorGray6)
            onClicked: {
                // Started from the keyboard, the keys come back here when
                // Escape twice ends the recording; meanwhile no control
                // holds them, so every key is only recorded.
                var byKeys = activeFocus
                mainIten.mainFocus()
                if (page.isRecording)
                    page.stopRecording()
                else if (byKeys)
                    page.startRecordingByKeys(recordButton)
                else
                    page.startRecording()
            }
            Rectangle {
                visible: page.isRecording
                x: 12
                anchors.verticalCenter: parent.verticalCenter
                width: 10
                height: 10
                radius: 5
                color: mainIten.colorAccent
                SequentialAnimation on opacity {
                    running: page.isRecording
                    loops: Animation.Infinite
                    NumberAnimation { to: 0.2; duration: 400 }
                    NumberAnimation { to: 1.0; duration: 400 }
                }
            }
        }
        Text {
            objectName: "stopRecordingHint"
            width: controls.width
            visible: page.isRecording
            text: mainIten.keyboardTexts[0]
            wrapMode: Text.WordWrap
            color: mainIten.colorGray2
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontMinSize
        }
        Text {
            objectName: "windowOnlyCaptureNote"
            width: controls.width
            visible: page.isRecording && !mainIten.desktopKeyCapture
            text: mainIten.windowOnlyCaptureText
            wrapMode: Text.WordWrap
            color: mainIten.colorAccent
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontMinSize
        }


        SectionLabel { text: page.tr(33) }
        Repeater {
            model: 3
            delegate: CheckItem {
                required property int index
                objectName: "runMode" + index
                exclusive: true
                labelWidth: controls.width - 28
                text: page.tr(19 + index)
                checked: page.runMode === index
                onToggled: page.runMode = index
            }
        }
    }

    Text {
        visible: page.isInsertingKey
        anchors.horizontalCenter: actionBox.horizontalCenter
        y: actionBox.y + actionBox.height - 40
        text: page.tr(29)
        color: mainIten.colorPrimary
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }

    PopupMenu {
        id: treeMenu
        objectName: "treeMenu"
        items: [page.tr(1), page.tr(2), page.tr(3), page.tr(4), page.tr(5), page.tr(6), page.tr(7), page.tr(8)]
        enabledItems: [page.selectedNode !== null, page.selectedNode !== null, true,
                       page.selectedNode !== null && page.selectedNode.type === 0, true, true, true, true]
        onChosen: function(i) {
            switch (i) {
            case 0: page.renameByKeys = treeMenu.chosenByKeys; page.editingNode = page.selectedNode; break
            case 1: page.askDelete(page.selectedNode); break
            case 2: page.importMacro(); break
            case 3: page.exportMacro(page.selectedNode); break
            case 4: page.createFromLink(1, treeMenu.chosenByKeys); break
            case 5: page.createFromLink(0, treeMenu.chosenByKeys); break
            case 6: page.batchImport(); break
            case 7: page.batchExport(); break
            }
        }
    }

    PopupMenu {
        id: actionMenu
        objectName: "actionMenu"
        items: [page.tr(9), page.tr(10), page.tr(11), page.tr(12), page.tr(13), page.tr(14)]
        enabledItems: [page.actionIndex >= 0, true, true, true, true, true]
        onChosen: function(i) {
            switch (i) {
            case 0: page.deleteAction(page.actionIndex); break
            case 1: page.insertDelay(); break
            case 2: page.beginInsertKey(); break
            default: page.insertClick(i - 3); break
            }
        }
    }

    // "Confirm delete ?", shown with the frame's other dialogs.
    ConfirmDialog {
        id: deleteConfirm
        objectName: "macroDeleteConfirm"
        parent: dialogLayer
        title: page.tr(2)
        okText: page.tr(27)
        cancelText: page.tr(28)
        onAccepted: {
            mainIten.hideDialog(deleteConfirm)
            var node = page.pendingDelete
            page.pendingDelete = null
            page.deleteEntry(node)
        }
        onRejected: {
            page.pendingDelete = null
            mainIten.hideDialog(deleteConfirm)
        }
    }
}

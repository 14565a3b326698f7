.pragma library
// The button function menu: what a button of the mouse can do, as the 4-byte
// codes the button page stores per entry (type, then three bytes). Texts are
// indexes into the language group "keyAssigment" (English defaults in
// KeyAssigmentDialog.qml).

// Text indexes of the group "keyAssigment" used by the menu and its dialogs.
var T = {
    leftKey: 0, rightKey: 1, middleKey: 2, forwardKey: 3, backKey: 4,
    dpiMenu: 5, fireMenu: 6, groupMenu: 7, mediaMenu: 8, macroMenu: 9,
    windowsMenu: 10, shortcutMenu: 11, gunMenu: 12,
    doubleFire: 45,
    runOnce: 46, runUntilAnyButton: 47, runWhileHeld: 48
};

// Menu rows in display order. A row is either a plain item (code) or a
// sub-menu: kind "list" with items, or kind "fire", "group", "macro", which
// open their dialogs. gameOnly rows appear in game mode only.
var menu = [
    { text: 0, code: [0x00, 0x00, 0xF0, 0x00] },
    { text: 1, code: [0x00, 0x00, 0xF1, 0x00] },
    { text: 2, code: [0x00, 0x00, 0xF2, 0x00] },
    { text: 3, code: [0x00, 0x00, 0xF4, 0x00] },
    { text: 4, code: [0x00, 0x00, 0xF3, 0x00] },
    { text: 5, kind: "list", category: 5, items: [
        { text: 13, code: [0x05, 0x00, 0x01, 0x00] },
        { text: 14, code: [0x05, 0x00, 0x02, 0x00] },
        { text: 15, code: [0x05, 0x00, 0x03, 0x00] },
        { text: 16, code: [0x05, 0x00, 0x04, 0x00] }] },
    { text: 6, kind: "fire", category: 1 },
    { text: 7, kind: "group", category: 2 },
    { text: 8, kind: "list", category: 3, items: [
        { text: 17, code: [0x03, 0x00, 0x83, 0x01] },
        { text: 18, code: [0x03, 0x00, 0xB5, 0x00] },
        { text: 19, code: [0x03, 0x00, 0xB6, 0x00] },
        { text: 20, code: [0x03, 0x00, 0xB7, 0x00] },
        { text: 21, code: [0x03, 0x00, 0xE2, 0x00] },
        { text: 22, code: [0x03, 0x00, 0xCD, 0x00] },
        { text: 23, code: [0x03, 0x00, 0xE9, 0x00] },
        { text: 24, code: [0x03, 0x00, 0xEA, 0x00] }] },
    { text: 9, kind: "macro", category: 4 },
    { text: 10, kind: "list", category: 6, items: [
        { text: 25, code: [0x06, 0x00, 0x94, 0x01] },
        { text: 26, code: [0x06, 0x00, 0x23, 0x02] },
        { text: 27, code: [0x06, 0x00, 0x21, 0x02] },
        { text: 28, code: [0x06, 0x04, 0x2C, 0x1B] },
        { text: 29, code: [0x06, 0x04, 0x2C, 0x11] },
        { text: 30, code: [0x06, 0x00, 0xE3, 0x07] },
        { text: 31, code: [0x06, 0x00, 0xE3, 0x15] }] },
    { text: 11, kind: "list", category: 7, items: [
        { text: 32, code: [0x07, 0x00, 0xE0, 0x11] },
        { text: 33, code: [0x07, 0x00, 0xE0, 0x1B] },
        { text: 34, code: [0x07, 0x00, 0xE0, 0x06] },
        { text: 35, code: [0x07, 0x00, 0xE0, 0x19] },
        { text: 36, code: [0x07, 0x00, 0xE0, 0x16] },
        { text: 37, code: [0x07, 0x00, 0xE0, 0x13] },
        { text: 38, code: [0x07, 0x00, 0xE0, 0x09] },
        { text: 39, code: [0x07, 0x00, 0xE0, 0x1C] },
        { text: 40, code: [0x07, 0x00, 0xE0, 0x1D] },
        { text: 41, code: [0x07, 0x00, 0xE0, 0x04] }] },
    { text: 12, kind: "list", category: 8, gameOnly: true, items: [
        { text: 42, code: [0x08, 0x00, 0x01, 0x00] },
        { text: 43, code: [0x08, 0x00, 0x02, 0x00] },
        { text: 44, code: [0x08, 0x00, 0x03, 0x00] }] }
];

// Category 0: the text of a mouse-button entry by its third byte; any other
// value is the double click ("Double Fire"), shown but never offered.
var mouseButtonTexts = { 0xF0: 0, 0xF2: 2, 0xF1: 1, 0xF4: 3, 0xF3: 4 };

// The double click entry.
var doubleFireCode = [0x00, 0xF0, 0x1E, 0x02];

// Fixed defaults of the 16 entries (office mode), the per-button restore.
var officeDefaults = [
    [0x00, 0x00, 0xF0, 0x00], [0x00, 0x00, 0xF1, 0x00], [0x00, 0x00, 0xF2, 0x00],
    [0x00, 0x00, 0xF4, 0x00], [0x00, 0x00, 0xF3, 0x00], [0x05, 0x00, 0x01, 0x00],
    [0x05, 0x00, 0x02, 0x00], [0x05, 0x00, 0x04, 0x00], [0x01, 0x1D, 0x0A, 0x00],
    [0x02, 0x01, 0x1D, 0x00], [0x03, 0x00, 0x83, 0x01], [0x03, 0x00, 0xB7, 0x00],
    [0x06, 0x00, 0x94, 0x01], [0x07, 0x00, 0xE0, 0x16], [0xFF, 0x00, 0x01, 0x00],
    [0xFF, 0x00, 0x02, 0x00]
];

// Game mode: the same, with One Gun and Two Gun on entries 6 and 7.
var gameDefaults = (function () {
    var list = officeDefaults.map(function (e) { return e.slice(); });
    list[5] = [0x08, 0x00, 0x01, 0x00];
    list[6] = [0x08, 0x00, 0x02, 0x00];
    return list;
})();

// The office list before the first initialisation.
var officeStart = (function () {
    var list = [];
    for (var i = 0; i < 16; ++i)
        list.push([0, 0, 0, 0]);
    for (var j = 0; j < 7; ++j)
        list[j] = officeDefaults[j].slice();
    list[7] = doubleFireCode.slice();
    list[14] = officeDefaults[14].slice();
    list[15] = officeDefaults[15].slice();
    return list;
})();

// Fire rates offered by the fire-key dialog: the number is what the mouse
// receives, the two-character unit is only shown.
var fireRates = [5, 10, 15, 20, 25, 30, 40, 50, 60, 80, 100, 120, 150, 200, 250];
var fireRateUnit = "ms";

// Run modes of a macro entry (04 mode b 00), with their text indexes.
var runModes = [T.runOnce, T.runUntilAnyButton, T.runWhileHeld];

// Names of the modifier keys E0 to E7 come from the key-name table.
var modifierFirst = 0xE0;

// Markers of the buttons on the mouse drawing, as fractions of its width
// and height, in button order.
var markers = [
    [0.28, 0.18], [0.72, 0.18], [0.50, 0.16], [0.10, 0.46], [0.10, 0.58],
    [0.50, 0.31], [0.50, 0.39], [0.10, 0.34], [0.90, 0.40], [0.90, 0.52],
    [0.90, 0.64], [0.10, 0.70], [0.50, 0.06], [0.50, 0.52], [0.90, 0.76],
    [0.10, 0.82]
];

// Circled digits for the button list.
var numberGlyphs = ["\u2460", "\u2461", "\u2462", "\u2463", "\u2464", "\u2465", "\u2466", "\u2467",
                    "\u2468", "\u2469", "\u246A", "\u246B", "\u246C", "\u246D", "\u246E", "\u246F"];

function sameCode(a, b) {
    if (!a || !b || a.length < 4 || b.length < 4)
        return false;
    for (var i = 0; i < 4; ++i) {
        if ((Number(a[i]) & 0xFF) !== (Number(b[i]) & 0xFF))
            return false;
    }
    return true;
}

// The text index of a fixed menu item with this code, or -1.
function itemTextOf(code) {
    for (var i = 0; i < menu.length; ++i) {
        var row = menu[i];
        if (row.code && sameCode(row.code, code))
            return row.text;
        if (row.items) {
            for (var j = 0; j < row.items.length; ++j) {
                if (sameCode(row.items[j].code, code))
                    return row.items[j].text;
            }
        }
    }
    return -1;
}

// The menu rows shown in a mode (0 office, 1 game).
function rowsFor(mode) {
    return menu.filter(function (row) { return !row.gameOnly || mode === 1; });
}

// A code as a list of four numbers 0 to 255; anything short reads as 0.
function normalise(list) {
    var out = [0, 0, 0, 0];
    if (!list || typeof list === "string")
        return out;
    for (var i = 0; i < 4 && i < list.length; ++i) {
        var n = parseInt(list[i], 10);
        out[i] = isNaN(n) ? 0 : (n & 0xFF);
    }
    return out;
}

// The group code from captured keys: modifier bits and up to two other keys.
function groupCode(modifiers, keys) {
    return [0x02, modifiers & 0xFF, keys.length > 0 ? keys[0] & 0xFF : 0, keys.length > 1 ? keys[1] & 0xFF : 0];
}

// Add a captured key to a key combination: a modifier sets its bit, other
// keys fill at most two places, further keys are ignored.
function addGroupKey(state, usbCode) {
    var code = Number(usbCode);
    var next = { modifiers: state.modifiers, keys: state.keys.slice() };
    if (code >= 0xE0 && code <= 0xE7)
        next.modifiers |= 1 << (code - 0xE0);
    else if (code > 0 && code < 0xE0 && next.keys.length < 2 && next.keys.indexOf(code) < 0)
        next.keys.push(code);
    return next;
}

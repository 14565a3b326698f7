.pragma library
.import "keycodes.js" as KeyCodes
// The device encoding of a macro: its action list becomes the macro block
// the mouse plays (repeat count, action pairs with their delays, terminator).
//
// An action entry is given in the macro file's form, "T,info" (type digit,
// comma, info text), or as an object {type, info}, or as a pair [type, info].
// Types: 0 delay (info: milliseconds), 1 key down, 2 key up, 3 mouse button
// down, 4 mouse button up (info: a name of the key-name table).

// Size of one macro slot on the mouse.
var blockSize = 128;

// The editor takes a new action only while recordCount() is below this.
var recordLimit = 126;

// Delays are counted in units of 10 ms; 126 units fit in an attribute byte.
var unitMs = 10;
var maxInlineUnits = 126;
// Longest delay run that an extended delay can carry (scale 3, 100 ms steps).
var maxDelayUnits = 599999;

function entryOf(item) {
    if (item === undefined || item === null)
        return { type: -1, info: "" };
    if (typeof item === "string" || item instanceof String) {
        var text = String(item);
        return { type: text.length > 0 ? parseInt(text.charAt(0), 10) : -1, info: text.substring(2) };
    }
    if (Array.isArray(item))
        return { type: parseInt(item[0], 10), info: item.length > 1 && item[1] !== undefined ? String(item[1]) : "" };
    return { type: parseInt(item.type, 10), info: item.info !== undefined ? String(item.info) : "" };
}

// The entries that take part in the encoding: delays and the four action
// types. Anything else is not a macro action and is left out.
function entriesOf(actions) {
    var list = [];
    if (!actions)
        return list;
    for (var i = 0; i < actions.length; ++i) {
        var e = entryOf(actions[i]);
        if (e.type >= 0 && e.type <= 4)
            list.push(e);
    }
    return list;
}

function isRelease(entry) {
    return entry.type === 2 || entry.type === 4;
}

function delayMs(info) {
    var ms = parseInt(info, 10);
    return isNaN(ms) || ms < 0 ? 0 : ms;
}

function repeatOf(repeat) {
    var r = parseInt(repeat, 10);
    return isNaN(r) || r < 0 ? 0 : r & 0xFFFF;
}

// The bytes that close an action followed by a delay of `units`: the
// attribute byte, then the extended delay (two pairs) when the delay does
// not fit the attribute.
function closingBytes(entry, units) {
    var release = isRelease(entry) ? 0x80 : 0x00;
    if (units <= maxInlineUnits)
        return [(units === 0 ? 1 : units) | release];
    if (units > maxDelayUnits)
        units = maxDelayUnits;
    var scale, count;
    if (units < 100000) {
        scale = 1; count = Math.floor(units / 2);
    } else if (units < 300000) {
        scale = 2; count = Math.floor(units / 5);
    } else {
        scale = 3; count = Math.floor(units / 10);
    }
    return [release, 0x00, scale, (count >> 8) & 0xFF, count & 0xFF];
}

// Walks the action list; calls pair(attributeAndExtension, code) once per
// action, in order. Returns false when the list encodes no action at all.
function walk(actions, pair) {
    var list = entriesOf(actions);
    var i = 0;
    while (i < list.length && list[i].type === 0)
        ++i;
    // Leading delays are dropped; a first action that is also the last
    // entry leaves the block with the repeat count alone.
    if (i >= list.length - 1)
        return false;
    var previous = list[i];
    var ms = 0;
    for (var j = i + 1; j < list.length; ++j) {
        var e = list[j];
        if (e.type === 0) {
            ms += delayMs(e.info);
            continue;
        }
        pair(closingBytes(previous, Math.floor(ms / unitMs)), KeyCodes.codeOf(previous.info));
        previous = e;
        ms = 0;
    }
    // Delays after the last action are dropped.
    pair(closingBytes(previous, 0), KeyCodes.codeOf(previous.info));
    return true;
}

// The macro block as a list of byte values: repeat count (high, low), the
// action pairs and the terminator pair. The list is never cut: a list
// longer than blockSize is the mark of a macro that does not fit its slot
// (see overflows()); the backend refuses to send it.
function deCode(actions, repeat) {
    var r = repeatOf(repeat);
    var bytes = [(r >> 8) & 0xFF, r & 0xFF];
    var any = walk(actions, function (closing, code) {
        bytes.push(closing[0], code);
        for (var k = 1; k < closing.length; ++k)
            bytes.push(closing[k]);
    });
    if (any)
        bytes.push(0x00, 0x00);
    return bytes;
}

// The length of the used part of the block deCode would give: 2 for the
// repeat count, 2 per action, 4 per extended delay, 2 for the terminator;
// 2 when there is no action.
function recordCount(actions, repeat) {
    var length = 2;
    var any = walk(actions, function (closing, code) {
        length += 2 + (closing.length - 1);
    });
    return any ? length + 2 : length;
}

// True when an encoded block does not fit a macro slot.
function overflows(bytes) {
    return bytes.length > blockSize;
}

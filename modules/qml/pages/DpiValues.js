.pragma library
// DPI page arithmetic: slider positions and values, and the colour bytes.

// Width of a stage slider's track in pixels, and the handle allowance the
// position formula leaves out.
var track = 435;
var handle = 18;

// The value of slider position p, in steps of base, kept within min..max.
function valueAt(p, min, max, base) {
    var step = base > 0 ? base : 1;
    var raw = (Number(p) - 3) * (max - min) / (track - handle) + min;
    var v = Math.trunc(raw / step) * step;
    return Math.max(min, Math.min(max, v));
}

// Where a value sits on the track.
function positionOf(value, min, max) {
    if (max <= min)
        return 0;
    var f = (Number(value) - min) / (max - min);
    return Math.max(0, Math.min(1, f)) * track;
}

// One step of base up (+1) or down (-1), stopping at min and max.
function step(value, direction, min, max, base) {
    var v = Number(value) + direction * base;
    return Math.max(min, Math.min(max, v));
}

// "#rrggbb" as [r, g, b]; anything else is white.
function rgbOf(color) {
    var s = String(color);
    var m = /^#?([0-9a-fA-F]{6})$/.exec(s.trim());
    if (!m)
        return [255, 255, 255];
    var n = parseInt(m[1], 16);
    return [(n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF];
}

// The 24 colour bytes of the eight stages: stages 1 to 6 from their
// colours, stages 7 and 8 white.
function colorBytes(colors) {
    var out = [];
    for (var i = 0; i < 6; ++i)
        out = out.concat(rgbOf(colors[i]));
    return out.concat([255, 255, 255, 255, 255, 255]);
}

.pragma library
// Value mappings of the system settings page.

// Slider positions (pixels) of the pointer-speed and double-click sliders
// become an index 0 to 10: the first threshold above the position, or 0
// when the position lies beyond the last one. The track ends on the last
// threshold itself, which the rule alone would turn into the slowest index:
// the end of the track is the fastest, 10.
var speedThresholds = [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338];
var speedTrack = 338;

function speedIndex(position) {
    var p = Number(position);
    if (p === speedTrack)
        return speedThresholds.length - 1;
    for (var i = 0; i < speedThresholds.length; ++i) {
        if (p < speedThresholds[i])
            return i;
    }
    return 0;
}

// The slider position that shows index i (0 to 10): the start of its
// band, the track's end for the fastest, so that speedIndex gives i back.
function positionOfIndex(i) {
    var n = Math.max(0, Math.min(speedThresholds.length - 1, Math.round(Number(i))));
    if (n === speedThresholds.length - 1)
        return speedTrack;
    return n === 0 ? 0 : speedThresholds[n - 1];
}

// Report rate: the choices 125, 250, 500 and 1000 Hz are stored as 0 to 3
// and sent as the mouse's interval values 8, 4, 2 and 1.
var reportRates = ["125 Hz", "250 Hz", "500 Hz", "1000 Hz"];
var reportRateValues = [8, 4, 2, 1];

function reportRateChoice(stored) {
    var n = parseInt(stored, 10);
    return n >= 0 && n < reportRateValues.length ? n : reportRateValues.length - 1;
}

function reportRateValue(choice) {
    return reportRateValues[reportRateChoice(choice)];
}

// "Scroll one Screen" is sent and stored as 1000 lines; a stored value
// above 100 reads back as that choice.
var oneScreen = 1000;
var maxLines = 100;

function isOneScreen(lines) {
    return Number(lines) > maxLines;
}

// Lift-off: the slider snaps to three positions, shown "L", "M", "H".
var lodPositions = [3, 168, 330];
var lodLabels = ["L", "M", "H"];

function snapLod(position) {
    var p = Number(position);
    if (p < 100)
        return 3;
    if (p < 200)
        return 168;
    return 330;
}

// The lift-off value the mouse receives for a snapped position: 125, 108 or 90.
function lodValue(position) {
    return 125 - Math.floor((snapLod(position) - 3) * 35 / 325);
}

.pragma library
// Conversions for values that come back from the settings files as text.

// "true"/"false" as stored in INI files, or a real boolean or number.
function toBool(v) {
    if (v === true || v === false)
        return v;
    if (typeof v === "number")
        return v !== 0;
    var s = String(v).trim().toLowerCase();
    return s === "true" || s === "1";
}

// An integer, or fallback when the value is missing or not a number.
function toInt(v, fallback) {
    var n = parseInt(v, 10);
    return isNaN(n) ? fallback : n;
}

// A list from a backend call; anything that is not a list becomes empty
// (a missing language group, an invalid value).
function toList(v) {
    if (v === undefined || v === null || typeof v === "string")
        return [];
    var out = [];
    for (var i = 0; i < v.length; ++i)
        out.push(String(v[i]));
    return out;
}

// Item i of a text array as a string; "" past its end (a language group
// that came back shorter or empty).
function at(list, i) {
    if (!list || i < 0 || i >= list.length || list[i] === undefined || list[i] === null)
        return "";
    return String(list[i]);
}

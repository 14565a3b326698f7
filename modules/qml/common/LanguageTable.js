.pragma library
// The languages the scene speaks: the value stored in common/language, and
// how each one names itself. The index is the scene's langIndex.
var names = ["English", "ChineseSimplified", "ChineseTraditional", "German", "French", "Italian", "Spanish"];
var shown = ["ENGLISH", "简体中文", "繁體中文", "Deutsch", "Français", "Italiano", "Español"];

// Index of a stored language name, or -1 when the name is not one of ours.
function indexOf(name) {
    return names.indexOf(String(name));
}

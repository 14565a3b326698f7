#pragma once

class SimSession;

// {"js": FUNCTION, "args": [...]}: calls a function of the scene's shared
// JavaScript libraries (macrocodec.js, keycodes.js) in a QJSEngine and prints
// `result {"return":...,"out":[]}`. FUNCTION is a bare name, looked up in
// the macro codec first, or LIBRARY.NAME with LIBRARY "MacroCodec" or
// "KeyCodes".
void registerScriptCommands(SimSession& session);

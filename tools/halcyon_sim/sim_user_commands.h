#pragma once

class SimSession;

// A user at the real window: mouse and keyboard events delivered to the
// window as the platform delivers them, so hit-testing, the enabled state,
// the input lock and the window's key capture apply as for a user.
//
// Targets ("item" and "text" fields of every command):
//  "item":"a/b"        the item named b (objectName) inside the item named a;
//  "text":"Save"       the item showing the text "Save" (its `text` property),
//                      inside "item" when given;
//  "index":N           the N-th (from 0) of several matches, in scene order.
// Pointer commands aim at the target's centre, or at "at":[x,y] in the
// target's own coordinates; the target must be visible on screen.
//  {"sim":"click",...}  {"sim":"doubleclick",...}  {"sim":"rightclick",...}
//  {"sim":"hover",...}  {"sim":"drag",...,"to":[x,y]}  (to: target coordinates)
//  {"sim":"wheel",...,"dy":-120}
//  {"sim":"type","text":"abc"}       types into the item with keyboard focus
//  {"sim":"key","key":"Escape"}      presses and releases a key or a chord
//                                    ("Ctrl+C"); "action":"down"|"up" for one half
//  {"sim":"read",...}                prints what the control shows:
//                                    `read TARGET {"checked":..,"currentIndex":..,
//                                    "enabled":..,"text":..,"value":..,"visible":..}`
//                                    (the properties it has; "props":[...] for others)
//  {"sim":"texts",...}               every visible text inside the target, in scene order
//  {"sim":"grab","path":"shot.png"}  the scene as a PNG (relative to the working directory)
void registerUserCommands(SimSession& session);

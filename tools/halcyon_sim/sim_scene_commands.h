#pragma once

class SimSession;

// Drives the loaded scene as a user would, through its own functions:
//  {"sim":"scene","eval":EXPR}   evaluates the QML expression EXPR in the
//                                scene root's context (its ids and root
//                                functions are in scope) and prints
//                                "scene EXPR" and `result {"return":...}`.
void registerSceneCommands(SimSession& session);

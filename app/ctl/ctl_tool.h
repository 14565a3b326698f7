#pragma once
#include <functional>

class Widget;

// halcyonctl's main: checks the arguments, sends the request to the running
// program of the same user started from the tool's own folder (halcyon or
// halcyon-demo), or, when none runs, opens the settings and the mouse
// itself with the program's own objects and carries the request out.
struct CtlToolOptions {
    // Runs right after the tool's own Widget is built (a test tool plugs its
    // virtual mouse in here).
    std::function<void(Widget&)> customize;
    // Runs once the tool's Widget has found the mouse and the scene is
    // ready, right before the request is carried out.
    std::function<void()> beforeRequest;
    // Never ask a running program (the test tool).
    bool onItsOwn = false;
};

int runCtlTool(int argc, char** argv, const CtlToolOptions& options = {});

#pragma once
#include <functional>

class Widget;

// The program's start-up, shared by halcyon and halcyon-demo.
struct StartupOptions {
    // Runs right after Widget is built, before anything uses the device
    // (the demo plugs in its virtual mouse here).
    std::function<void(Widget&)> customize;
};

int runApplication(int argc, char** argv, const StartupOptions& options = {});

// Files and folders the process creates from here on are its user's alone
// (0600 and 0700): the user's macros may hold passwords. Existing ones keep
// their permissions.
void keepNewFilesPrivate();

// Makes the directory that holds modules/ the current directory (seeding an
// installed copy's user data first). Needs the application object.
void enterDataDirectory();

// Chooses the scene graph's software renderer where no GPU surface exists
// (the offscreen and minimal platforms) or OpenGL would be drawn in software
// (no GPU render node, LIBGL_ALWAYS_SOFTWARE), unless the user chose a
// renderer (QT_QUICK_BACKEND, QSG_RHI_BACKEND). Call before the first view.
void chooseSceneRenderer();

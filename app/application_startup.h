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

// Makes the directory that holds modules/ the current directory (seeding an
// installed copy's user data first). Needs the application object.
void enterDataDirectory();

// Chooses the scene graph's software renderer where no GPU surface exists
// (the offscreen and minimal platforms). Call before the first view.
void chooseSceneRenderer();

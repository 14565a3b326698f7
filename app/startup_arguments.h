#pragma once
#include <QString>

// The program's own command-line options. Anything else (Qt's options such
// as -platform) is left for the application object.
struct StartupArguments {
    bool help = false;     // --help, -h: print the usage and exit 0
    bool version = false;  // --version: print the version and exit 0
    bool verbose = false;  // --verbose: diagnostic messages on standard error
    bool tray = false;     // --tray: start in the tray without showing the window (the login start)
};

StartupArguments parseStartupArguments(int argc, char** argv);
// The texts of --help and --version; `program` is the name it was started as.
QString startupUsage(const QString& program);
QString startupVersion(const QString& program);

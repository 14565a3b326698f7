#include "app/startup_arguments.h"
#include <cstring>

StartupArguments parseStartupArguments(int argc, char** argv)
{
    StartupArguments parsed;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h"))
            parsed.help = true;
        else if (!std::strcmp(arg, "--version"))
            parsed.version = true;
        else if (!std::strcmp(arg, "--verbose"))
            parsed.verbose = true;
        else if (!std::strcmp(arg, "--tray"))
            parsed.tray = true;
    }
    return parsed;
}

QString startupUsage(const QString& program)
{
    return QStringLiteral(
               "Usage: %1 [--tray] [--verbose]\n"
               "The configuration utility of the HALCYON gaming mouse.\n"
               "\n"
               "  --tray      start in the system tray without showing the window\n"
               "              (the window shows when no tray has appeared within 10 seconds)\n"
               "  --verbose   print diagnostic messages on standard error\n"
               "  --version   print the version and exit\n"
               "  --help      print this help and exit\n"
               "\n"
               "One instance runs per user. Starting it again hands over to the running one\n"
               "and exits 0: that one shows its window while a mouse is connected or where\n"
               "there is no tray, and otherwise stays in the tray.\n")
        .arg(program);
}

QString startupVersion(const QString& program)
{
    return QStringLiteral("%1 %2\n").arg(program, QStringLiteral(HALCYON_VERSION));
}

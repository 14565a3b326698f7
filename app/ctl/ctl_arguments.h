#pragma once
#include <QString>
#include <QStringList>

// The command line of halcyonctl: what it accepts, its usage lines and help
// texts. Both the tool and the program that carries a request out check the
// arguments with the same rules.
struct CtlCommand {
    enum Kind {
        Help,
        Status,
        ProfileList,
        ProfileSwitch,
        ProfileExport,
        ProfileImport,
        DpiStage,
        DpiShow,
        MacroList,
        MacroExport,
        MacroImport,
    };
    Kind kind = Help;
    bool json = false;
    int number = 0;   // profile 1..10 or DPI stage 1..8
    QString name;     // macro path "Folder/Name"
    QString file;     // a file of the user's
    int fileArg = -1; // its position in the arguments
    QString help;     // the text --help prints
};

struct CtlParse {
    bool ok = false;
    CtlCommand command;
    QString error;  // one line, without the tool's name
    QString usage;  // the usage line of the command (or of the tool)
};

namespace CtlArguments {
constexpr int ProfileCount = 10;
constexpr int MaxDpiStages = 8;

CtlParse parse(const QStringList& args);
// The same arguments with every FILE made absolute against `base`, so that
// the running program, which works in its own directory, finds them.
QStringList withAbsoluteFiles(const CtlParse& parsed, const QStringList& args, const QString& base);
QString toolUsage();
} // namespace CtlArguments

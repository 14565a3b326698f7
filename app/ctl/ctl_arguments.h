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
        RuleList,
        RuleAdd,
        RuleRemove,
        Auto,
    };
    Kind kind = Help;
    bool json = false;
    int number = 0;   // profile 1..10 or DPI stage 1..8
    QString name;     // macro path "Folder/Name", or a rule's program
    bool byClass = false; // --class: the rule matches the window class
    int onOff = -1;   // auto: 1 on, 0 off, -1 only show
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
// The same arguments with every FILE made absolute against `base` and
// resolved as this process sees it, so that the running program, which
// works in its own folder, writes and reads where a shell command would:
// a ".." after a link goes to the link target's parent, and names that mean
// the asking process (/proc/self, /dev/fd) mean this one. The last name is
// kept as given (a link there is not followed). "-" and /dev/stdout as an
// export target become "-", standard output.
QStringList withAbsoluteFiles(const CtlParse& parsed, const QStringList& args, const QString& base);
// One FILE argument, resolved as above.
QString resolvedFile(const QString& file, const QString& base);
// The folder relative names start from, as the shell knows it: $PWD when it
// names the working folder, else the working folder's real path.
QString shellWorkingFolder();
QString toolUsage();
} // namespace CtlArguments

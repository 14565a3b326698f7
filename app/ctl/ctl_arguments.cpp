#include "app/ctl/ctl_arguments.h"
#include <QFile>
#include <QFileInfo>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <QDir>

namespace {
const char* const ToolUsage =
    "Usage: halcyonctl status [--json] | profile list [--json] | profile switch N | "
    "profile export N FILE | profile import FILE N | dpi stage K | dpi show | macro list | "
    "macro export NAME FILE | macro import FILE | rule list [--json] | "
    "rule add PROGRAM N [--class] | rule remove PROGRAM [--class] | auto [on|off]";

const char* const ToolHelp =
    "halcyonctl - the HALCYON mouse from the command line\n"
    "\n"
    "Commands:\n"
    "  status [--json]          connection, controller family, profile and DPI stage\n"
    "  profile list [--json]    the ten profiles (p1.bin to p10.bin) with their names\n"
    "  profile switch N         make profile N current, as the title bar does\n"
    "  profile export N FILE    copy profile N to FILE (.pf)\n"
    "  profile import FILE N    replace profile N with FILE\n"
    "  dpi stage K              select DPI stage K, as the mouse's DPI button does\n"
    "  dpi show                 the DPI stages of the current profile\n"
    "  macro list               the macro library, folders end in /\n"
    "  macro export NAME FILE   copy macro NAME (Folder/Name) to FILE (.mc)\n"
    "  macro import FILE        add FILE (.mc) to the top of the macro library\n"
    "  rule list [--json]       the rules that give programs their profile\n"
    "  rule add PROGRAM N       the window of PROGRAM in front makes profile N current\n"
    "  rule remove PROGRAM      remove the rule for PROGRAM (--class: by window class)\n"
    "  auto [on|off]            whether the profile follows the window in front\n"
    "\n"
    "When Halcyon runs, the request goes to it and its window shows the result;\n"
    "otherwise halcyonctl opens the settings and the mouse itself.\n"
    "Exit status: 0 done, 1 not carried out (reason on standard error), 2 usage error.\n"
    "Run 'halcyonctl COMMAND --help' for one command.\n";

struct Spec {
    QStringList words;   // "profile", "switch"
    CtlCommand::Kind kind;
    QStringList params;  // placeholders in order: N, K, FILE, NAME, PROGRAM, on|off
    bool json;           // accepts --json
    const char* summary;
    bool classOption = false; // accepts --class
    int optional = 0;    // how many of the last params may be left out
};

const QList<Spec>& specs()
{
    static const QList<Spec> s = {
        {{"status"}, CtlCommand::Status, {}, true,
         "Shows whether a mouse is connected, its controller family (553 or 560), the\n"
         "current profile (number and name) and the current DPI stage. With --json:\n"
         "one object with the keys connected, family, profile, profileName, dpiStage\n"
         "and dpiStages (dpiStage is null while no mouse is connected).\n"},
        {{"profile", "list"}, CtlCommand::ProfileList, {}, true,
         "Lists the profiles 1 to 10 (files p1.bin to p10.bin) with their names from\n"
         "the profile list; * marks the current one. Unlisted profiles have no name.\n"},
        {{"profile", "switch"}, CtlCommand::ProfileSwitch, {"N"}, false,
         "Makes profile N (1 to 10) current, exactly as choosing it in the title bar:\n"
         "the profile's settings are sent to the mouse. A profile 1 to 6 that is not\n"
         "listed yet is added to the list first; 7 to 10 cannot be chosen there.\n"
         "Needs a connected mouse.\n"},
        {{"profile", "export"}, CtlCommand::ProfileExport, {"N", "FILE"}, false,
         "Copies profile N (1 to 10) byte for byte to FILE, replacing FILE.\n"},
        {{"profile", "import"}, CtlCommand::ProfileImport, {"FILE", "N"}, false,
         "Replaces profile N (1 to 10) with a copy of FILE, which must be a profile\n"
         "(an exported .pf file). An unlisted profile 1 to 6 is added to the list.\n"
         "Importing into the current profile loads it and sends it to the mouse.\n"},
        {{"dpi", "stage"}, CtlCommand::DpiStage, {"K"}, false,
         "Selects DPI stage K (1 to the number of stages of the current profile), as\n"
         "the mouse's own DPI button does. Needs a connected mouse.\n"},
        {{"dpi", "show"}, CtlCommand::DpiShow, {}, false,
         "Lists the DPI stages of the current profile; * marks the mouse's stage.\n"},
        {{"macro", "list"}, CtlCommand::MacroList, {}, false,
         "Lists the macro library, one entry per line as its folder path and name;\n"
         "folders end in /.\n"},
        {{"macro", "export"}, CtlCommand::MacroExport, {"NAME", "FILE"}, false,
         "Copies macro NAME (Folder/Sub/Name for a macro inside folders) byte for\n"
         "byte to FILE. An existing FILE is not replaced.\n"},
        {{"macro", "import"}, CtlCommand::MacroImport, {"FILE"}, false,
         "Adds FILE (a macro exchange file, .mc) to the top level of the macro\n"
         "library under FILE's base name. An existing macro is not replaced.\n"},
        {{"rule", "list"}, CtlCommand::RuleList, {}, true,
         "Shows whether automatic switching is on, the default profile (when no rule\n"
         "matches), whether this desktop tells which window is in front (and why not),\n"
         "and the rules: profile, how the program is matched (executable or class)\n"
         "and the program.\n"},
        {{"rule", "add"}, CtlCommand::RuleAdd, {"PROGRAM", "N"}, false,
         "While a window of PROGRAM is in front, profile N (1 to 10, listed in the\n"
         "title bar) becomes current. PROGRAM is the executable's file name, without\n"
         "a folder; with --class it is the window's class (either part of WM_CLASS,\n"
         "or the application id on Wayland), compared without regard to case. A rule\n"
         "for the same program replaces the profile it gives. At most 100 rules.\n",
         true},
        {{"rule", "remove"}, CtlCommand::RuleRemove, {"PROGRAM"}, false,
         "Removes the rule for the executable PROGRAM (with --class: for the window\n"
         "class PROGRAM).\n",
         true},
        {{"auto"}, CtlCommand::Auto, {"on|off"}, false,
         "Turns automatic switching by the window in front on or off; without on or\n"
         "off, shows whether it is on, the default profile and whether this desktop\n"
         "tells which window is in front.\n",
         false, 1},
    };
    return s;
}

QString usageOf(const Spec& s)
{
    QString u = QStringLiteral("Usage: halcyonctl ") + s.words.join(QLatin1Char(' '));
    if (s.json)
        u += QStringLiteral(" [--json]");
    for (int i = 0; i < s.params.size(); ++i)
        u += i >= s.params.size() - s.optional ? QStringLiteral(" [%1]").arg(s.params.at(i))
                                               : QLatin1Char(' ') + s.params.at(i);
    if (s.classOption)
        u += QStringLiteral(" [--class]");
    return u;
}

// A decimal number without sign or blanks, in [low, high]; -1 otherwise.
int numberIn(const QString& text, int low, int high)
{
    if (text.isEmpty() || text.size() > 3)
        return -1;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    const int n = text.toInt();
    return n >= low && n <= high ? n : -1;
}

bool isHelp(const QString& a)
{
    return a == QLatin1String("--help") || a == QLatin1String("-h");
}
} // namespace

namespace CtlArguments {

QString toolUsage()
{
    return QString::fromLatin1(ToolUsage);
}

CtlParse parse(const QStringList& args)
{
    CtlParse r;
    r.usage = toolUsage();
    if (args.isEmpty()) {
        r.error = QStringLiteral("no command given");
        return r;
    }
    if (isHelp(args.first()) || args.first() == QLatin1String("help")) {
        r.ok = true;
        r.command.kind = CtlCommand::Help;
        r.command.help = QString::fromLatin1(ToolHelp);
        return r;
    }
    const Spec* spec = nullptr;
    for (const Spec& s : specs()) {
        if (args.size() >= s.words.size() && args.mid(0, s.words.size()) == s.words) {
            spec = &s;
            break;
        }
    }
    if (!spec) {
        // A known group with an unknown or missing action.
        for (const Spec& s : specs()) {
            if (s.words.size() == 2 && s.words.first() == args.first()) {
                r.error = args.size() > 1 && !isHelp(args.at(1))
                    ? QStringLiteral("unknown %1 command").arg(args.first())
                    : QStringLiteral("%1 needs a command").arg(args.first());
                if (args.size() > 1 && isHelp(args.at(1))) {
                    r.ok = true;
                    r.error.clear();
                    r.command.kind = CtlCommand::Help;
                    QStringList lines;
                    for (const Spec& t : specs())
                        if (t.words.first() == args.first())
                            lines << usageOf(t);
                    r.command.help = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
                }
                return r;
            }
        }
        r.error = QStringLiteral("unknown command");
        return r;
    }
    r.usage = usageOf(*spec);
    const QStringList rest = args.mid(spec->words.size());
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
        r.ok = true;
        r.command.kind = CtlCommand::Help;
        r.command.help = r.usage + QStringLiteral("\n\n") + QString::fromLatin1(spec->summary);
        return r;
    }
    QStringList values;
    bool json = false;
    bool byClass = false;
    for (const QString& a : rest) {
        if (spec->json && a == QLatin1String("--json") && !json) {
            json = true;
            continue;
        }
        if (spec->classOption && a == QLatin1String("--class") && !byClass) {
            byClass = true;
            continue;
        }
        // Options are not file or macro names here; "--" has no use.
        if (a.startsWith(QLatin1String("--"))) {
            r.error = QStringLiteral("unknown option %1").arg(a);
            return r;
        }
        values << a;
    }
    if (values.size() < spec->params.size() - spec->optional || values.size() > spec->params.size()) {
        r.error = values.size() < spec->params.size() ? QStringLiteral("missing argument")
                                                      : QStringLiteral("too many arguments");
        return r;
    }
    CtlCommand c;
    c.kind = spec->kind;
    c.json = json;
    c.byClass = byClass;
    for (int i = 0; i < values.size(); ++i) {
        const QString& p = spec->params.at(i);
        const QString& v = values.at(i);
        if (p == QLatin1String("N")) {
            c.number = numberIn(v, 1, ProfileCount);
            if (c.number < 0) {
                r.error = QStringLiteral("profile must be a number from 1 to %1").arg(ProfileCount);
                return r;
            }
        } else if (p == QLatin1String("K")) {
            c.number = numberIn(v, 1, MaxDpiStages);
            if (c.number < 0) {
                r.error = QStringLiteral("stage must be a number from 1 to the stage count");
                return r;
            }
        } else if (p == QLatin1String("FILE")) {
            if (v.isEmpty()) {
                r.error = QStringLiteral("empty file name");
                return r;
            }
            c.file = v;
            // Commands with a FILE take no option, so values and arguments line up.
            c.fileArg = int(spec->words.size()) + i;
        } else if (p == QLatin1String("on|off")) {
            if (v != QLatin1String("on") && v != QLatin1String("off")) {
                r.error = QStringLiteral("auto takes on or off");
                return r;
            }
            c.onOff = v == QLatin1String("on") ? 1 : 0;
        } else {
            c.name = v;
        }
    }
    r.ok = true;
    r.command = c;
    return r;
}

QString shellWorkingFolder()
{
    const QString pwd = qEnvironmentVariable("PWD");
#ifdef Q_OS_UNIX
    struct stat a = {}, b = {};
    if (QDir::isAbsolutePath(pwd) && ::stat(QFile::encodeName(pwd).constData(), &a) == 0 && ::stat(".", &b) == 0
        && a.st_dev == b.st_dev && a.st_ino == b.st_ino)
        return pwd;
#endif
    return QDir::currentPath();
}

QString resolvedFile(const QString& file, const QString& base)
{
    QString path = QDir::isAbsolutePath(file) ? file : base + QLatin1Char('/') + file;
#ifdef Q_OS_UNIX
    // Names that mean the process that opens them.
    const QString self = QStringLiteral("/proc/%1").arg(::getpid());
    static const QList<QPair<QString, QString>> perProcess = {
        {QStringLiteral("/dev/stdin"), QStringLiteral("/fd/0")},   {QStringLiteral("/dev/stdout"), QStringLiteral("/fd/1")},
        {QStringLiteral("/dev/stderr"), QStringLiteral("/fd/2")},  {QStringLiteral("/dev/fd"), QStringLiteral("/fd")},
        {QStringLiteral("/proc/self"), QString()},                 {QStringLiteral("/proc/thread-self"), QString()},
    };
    const QString clean = QDir::cleanPath(path);
    for (const auto& [name, inSelf] : perProcess) {
        if (clean == name || clean.startsWith(name + QLatin1Char('/'))) {
            const QString own = self + inSelf + clean.mid(name.size());
            // Where it leads, when that is a file name (not a pipe's), or
            // the folder it leads to for a file still to be made.
            const QString target = QFileInfo(own).canonicalFilePath();
            if (!target.isEmpty())
                return target;
            const QFileInfo info(own);
            const QString folder = QFileInfo(info.path()).canonicalFilePath();
            return folder.isEmpty() ? own : folder + QLatin1Char('/') + info.fileName();
        }
    }
#endif
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!parts.contains(QStringLiteral("..")))
        return QDir::cleanPath(path);
    // A ".." is resolved as the system resolves it: after the links before
    // it. The folder is resolved here; the last name stays as it is.
    const QString last = parts.isEmpty() ? QString() : parts.last();
    if (last == QLatin1String("..") || last == QLatin1String(".")) {
        const QString real = QFileInfo(path).canonicalFilePath();
        return real.isEmpty() ? path : real;
    }
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')));
    const QString real = QFileInfo(folder.isEmpty() ? QStringLiteral("/") : folder).canonicalFilePath();
    // A folder that does not exist: the request fails there as it would here.
    if (real.isEmpty())
        return path;
    return QDir::cleanPath(real + QLatin1Char('/') + last);
}

QStringList withAbsoluteFiles(const CtlParse& parsed, const QStringList& args, const QString& base)
{
    const int i = parsed.command.fileArg;
    if (!parsed.ok || i < 0 || i >= args.size())
        return args;
    QStringList out = args;
    const bool isExport =
        parsed.command.kind == CtlCommand::ProfileExport || parsed.command.kind == CtlCommand::MacroExport;
    static const QStringList standardOutput = {QStringLiteral("-"), QStringLiteral("/dev/stdout"),
                                               QStringLiteral("/dev/fd/1"), QStringLiteral("/proc/self/fd/1")};
    if (isExport && standardOutput.contains(args.at(i)))
        out[i] = QStringLiteral("-");
    else
        out[i] = resolvedFile(args.at(i), base);
    return out;
}

} // namespace CtlArguments

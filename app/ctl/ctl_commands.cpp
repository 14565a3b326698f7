#include "app/ctl/ctl_commands.h"
#include "app/ctl/ctl_arguments.h"
#include "app/myqquickview.h"
#include "app/scene_state.h"
#include "app/user_dialogs.h"
#include "app/widget.h"
#include "macros/macro_paths.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/program_rules.h"
#include "settings/import_limit.h"
#include "settings/user_files.h"
#include "settings/write_failures.h"
#include <QFile>
#include <QFileInfo>
#include <QJSValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickItem>
#include <QTemporaryDir>
#include <functional>

namespace {

// Answers the one file dialog a request opens with the request's file and
// keeps the warnings the request would show, instead of a modal box.
class AnsweringDialogs : public UserDialogs {
public:
    explicit AnsweringDialogs(const QString& answer) : m_answer(answer), m_previous(&UserDialogs::current())
    {
        UserDialogs::install(this);
    }
    ~AnsweringDialogs() override { UserDialogs::install(m_previous); }

    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return m_answer; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return m_answer; }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return QString(); }
    bool answersExactPaths() const override { return true; }
    void warning(QWidget*, const QString&, const QString& text) override { warnings << text; }

    QStringList warnings;

private:
    QString m_answer;
    UserDialogs* m_previous;
};

CtlReply done(const QString& out = QString())
{
    return CtlReply{0, out, QString()};
}

CtlReply refused(const QString& reason)
{
    return CtlReply{1, QString(), QStringLiteral("halcyonctl: ") + reason + QLatin1Char('\n')};
}

CtlReply usageError(const QString& reason, const QString& usage)
{
    return CtlReply{2, QString(), QStringLiteral("halcyonctl: ") + reason + QLatin1Char('\n') + usage + QLatin1Char('\n')};
}

QString profileFile(int slot)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(slot + 1);
}

// The settings text of a small file, or false when it is none: too large,
// holding NUL bytes, or not in the settings format.
bool readSettingsText(const QString& path, QSettings::SettingsMap* map, QString* reason, QByteArray* content)
{
    QByteArray& text = *content;
    switch (UserFiles::readImport(path, ImportLimit::MaxBytes, text)) {
    case UserFiles::Read::Ok:
        break;
    case UserFiles::Read::NotRegular:
        *reason = QStringLiteral("%1 is not a regular file").arg(path);
        return false;
    case UserFiles::Read::TooLarge:
        *reason = QStringLiteral("%1 is too large").arg(path);
        return false;
    case UserFiles::Read::Unreadable:
        *reason = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    if (text.contains('\0') || !IniText::read(text, *map)) {
        *reason = QString();
        return false;
    }
    return true;
}

// A profile as the program writes it holds at least one of its groups.
bool isProfileFile(const QString& path, QString* reason, QByteArray* content)
{
    QSettings::SettingsMap map;
    if (!readSettingsText(path, &map, reason, content)) {
        if (reason->isEmpty())
            *reason = QStringLiteral("%1 is not a profile").arg(path);
        return false;
    }
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QString& key = it.key();
        if (key.startsWith(QLatin1String("mouse/")) || key.startsWith(QLatin1String("mouseKeyMatrix"))
            || key.startsWith(QLatin1String("mouseLight/")) || key.startsWith(QLatin1String("mouseFwKeyMatrix/")))
            return true;
    }
    *reason = QStringLiteral("%1 is not a profile").arg(path);
    return false;
}

bool isMacroFile(const QString& path, QString* reason)
{
    QSettings::SettingsMap map;
    QByteArray content;
    if (!readSettingsText(path, &map, reason, &content) || !map.contains(QStringLiteral("config/total"))) {
        if (reason->isEmpty())
            *reason = QStringLiteral("%1 is not a macro").arg(path);
        return false;
    }
    return true;
}

// The macro editor's rule for names that become files and index items.
bool isMacroName(const QString& n)
{
    if (!MacroPaths::isSafeName(n) || n.trimmed() != n || n.endsWith(QLatin1Char('.')))
        return false;
    for (QChar c : n)
        if (c == QLatin1Char(',') || c == QLatin1Char(';') || c == QLatin1Char('='))
            return false;
    return true;
}

// Whether the file written at `written` is a copy of the program's own file
// `source`; the written one is read no further than the source's size.
bool isCopyOf(const QString& source, const QString& written)
{
    QByteArray bytes;
    return readWholeFile(source, bytes) && UserFiles::holds(written, bytes);
}

// Why an export to file cannot go ahead, or empty: the tool names a link,
// a device, a FIFO or a folder before anything is written.
QString exportTargetRefusal(const QString& file, bool mayReplace)
{
    const QString why = UserFiles::exportRefusal(file, mayReplace);
    if (why.isEmpty())
        return why;
    if (why == QLatin1String("it already exists"))
        return QStringLiteral("%1 already exists").arg(file);
    return QStringLiteral("cannot write %1: %2").arg(file, why);
}

// "-" as the export target: the export is written to a private temporary
// file through the same path as any other, then printed.
CtlReply exportToOutput(const std::function<CtlReply(const QString&)>& exportTo)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return refused(QStringLiteral("cannot write to standard output: no temporary folder"));
    const QString file = dir.filePath(QStringLiteral("export"));
    const CtlReply reply = exportTo(file);
    if (reply.code != 0)
        return reply;
    QByteArray bytes;
    if (UserFiles::readImport(file, ImportLimit::MaxBytes, bytes) != UserFiles::Read::Ok)
        return refused(QStringLiteral("cannot write to standard output"));
    // The reply carries text: what is not UTF-8 would not arrive as written.
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes)
        return refused(QStringLiteral("cannot write to standard output: the file is not text"));
    return done(text);
}

QString jsonValue(const QJsonValue& v)
{
    const QString s = QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
    return s.mid(1, s.size() - 2);
}

// One line, keys in the order given, with a blank after each colon and comma.
QString jsonObjectLine(const QList<QPair<QString, QJsonValue>>& fields)
{
    QStringList parts;
    for (const auto& f : fields)
        parts << jsonValue(f.first) + QStringLiteral(": ") + jsonValue(f.second);
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

// "2 (Sniper)", "3" for a listed profile without a name, and "7 (not in
// the title bar)" for one a rule may name but the title bar does not list.
QString profileLabel(const SceneState& s, int profile)
{
    if (!s.profileSlots.contains(profile - 1))
        return QStringLiteral("%1 (not in the title bar)").arg(profile);
    const QString name = s.nameOf(profile - 1);
    return name.isEmpty() ? QString::number(profile)
                          : QStringLiteral("%1 (%2)").arg(profile).arg(CtlCommands::printable(name));
}

CtlReply status(Widget& widget, const SceneState& s, bool json)
{
    const bool connected = Widget::deviceConnected();
    const int family = widget.view()->config().traits().is560() ? 560 : 553;
    const int stage = connected && s.currentStage >= 0 ? s.currentStage + 1 : 0;
    const QString name = s.nameOf(s.profile);
    if (json) {
        return done(jsonObjectLine({
                        {QStringLiteral("connected"), connected},
                        {QStringLiteral("family"), family},
                        {QStringLiteral("profile"), s.profile + 1},
                        {QStringLiteral("profileName"), name.isEmpty() ? QJsonValue() : QJsonValue(name)},
                        {QStringLiteral("dpiStage"), stage ? QJsonValue(stage) : QJsonValue()},
                        {QStringLiteral("dpiStages"), s.stageCount},
                    })
                    + QLatin1Char('\n'));
    }
    QString out = QStringLiteral("connected: %1\nfamily: %2\nprofile: %3")
                      .arg(connected ? QStringLiteral("yes") : QStringLiteral("no"))
                      .arg(family)
                      .arg(s.profile + 1);
    if (!name.isEmpty())
        out += QStringLiteral(" (%1)").arg(CtlCommands::printable(name));
    out += QStringLiteral("\ndpi stage: %1 of %2\n")
               .arg(stage ? QString::number(stage) : QStringLiteral("-"))
               .arg(s.stageCount);
    return done(out);
}

CtlReply profileList(const SceneState& s, bool json)
{
    QStringList lines;
    for (int slot = 0; slot < CtlArguments::ProfileCount; ++slot) {
        const bool listed = s.profileSlots.contains(slot);
        const QString name = s.nameOf(slot);
        if (json) {
            lines << jsonObjectLine({{QStringLiteral("profile"), slot + 1},
                                     {QStringLiteral("name"), listed ? QJsonValue(name) : QJsonValue()},
                                     {QStringLiteral("current"), slot == s.profile}});
        } else {
            QString line = QStringLiteral("%1 %2")
                               .arg(slot == s.profile ? QLatin1Char('*') : QLatin1Char(' '))
                               .arg(slot + 1, 2);
            if (listed)
                line += QStringLiteral("  ") + CtlCommands::printable(name);
            lines << line;
        }
    }
    if (json)
        return done(QLatin1Char('[') + lines.join(QStringLiteral(", ")) + QStringLiteral("]\n"));
    return done(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

CtlReply profileSwitch(Widget& widget, const SceneState& s, int slot)
{
    if (!Widget::deviceConnected())
        return refused(QStringLiteral("no mouse connected"));
    // The title bar offers listed profiles only: an unlisted one is listed
    // first, named as the profile manager names a new entry (its file stays).
    if (!s.profileSlots.contains(slot) && !callScene(widget.view(), "ctlListProfile", {slot}).toBool())
        return refused(QStringLiteral("profile %1 cannot be listed in the title bar (at most six, 1 to 6)")
                           .arg(slot + 1));
    // The title bar's choice: a profile that is already current is left alone.
    callScene(widget.view(), "changeProfile", {slot});
    return done();
}

CtlReply profileExport(Widget& widget, int slot, const QString& file)
{
    const QString source = profileFile(slot);
    if (!QFileInfo(source).isFile())
        return refused(QStringLiteral("profile %1 has no file").arg(slot + 1));
    if (file == QLatin1String("-"))
        return exportToOutput([&](const QString& to) { return profileExport(widget, slot, to); });
    // The command replaces an existing file, as the dialog does once asked.
    const QString refusal = exportTargetRefusal(file, true);
    if (!refusal.isEmpty())
        return refused(refusal);
    AnsweringDialogs answer(file);
    widget.view()->saveProfile(slot);
    if (!isCopyOf(source, file))
        return refused(QStringLiteral("cannot write %1").arg(file));
    return done();
}

CtlReply profileImport(Widget& widget, const SceneState& s, const QString& file, int slot)
{
    QString reason;
    QByteArray content;
    if (!isProfileFile(file, &reason, &content))
        return refused(reason);
    {
        AnsweringDialogs answer(file);
        if (!widget.view()->loadProfile(slot) || !UserFiles::holds(profileFile(slot), content))
            return refused(QStringLiteral("cannot replace profile %1").arg(slot + 1));
    }
    // The profile manager lists what it imports; slots beyond its six stay unlisted.
    callScene(widget.view(), "ctlListProfile", {slot});
    if (slot == s.profile && Widget::deviceConnected())
        callScene(widget.view(), "ctlReloadProfile");
    return done();
}

CtlReply dpiStage(Widget& widget, const SceneState& s, int stage, const QString& usage)
{
    if (stage > s.stageCount)
        return usageError(QStringLiteral("stage must be a number from 1 to %1").arg(s.stageCount), usage);
    if (!Widget::deviceConnected())
        return refused(QStringLiteral("no mouse connected"));
    // The mouse's DPI button: the mouse takes the stage, the page marks it.
    widget.view()->mouseSetCurrentDPI(uchar(stage));
    widget.view()->setCurrentDPI(stage);
    return done();
}

CtlReply dpiShow(const SceneState& s)
{
    QString out;
    const bool connected = Widget::deviceConnected();
    for (int i = 0; i < s.stageCount; ++i)
        out += QStringLiteral("%1 %2  %3\n")
                   .arg(connected && i == s.currentStage ? QLatin1Char('*') : QLatin1Char(' '))
                   .arg(i + 1)
                   .arg(s.dpiValues.value(i));
    return done(out);
}

CtlReply macroList(Widget& widget)
{
    QString out;
    for (const QString& entry : callScene(widget.view(), "ctlMacroEntries").toStringList())
        out += CtlCommands::printable(entry) + QLatin1Char('\n');
    return done(out);
}

CtlReply macroExport(Widget& widget, const QString& name, const QString& file)
{
    const QStringList chain = name.split(QLatin1Char('/'));
    for (const QString& n : chain)
        if (!isMacroName(n) || chain.size() > MacroPaths::MaxLevel + 1)
            return refused(QStringLiteral("no macro named %1").arg(CtlCommands::printable(name)));
    if (file == QLatin1String("-"))
        return exportToOutput([&](const QString& to) { return macroExport(widget, name, to); });
    // The library's export never replaces a file.
    const QString refusal = exportTargetRefusal(file, false);
    if (!refusal.isEmpty())
        return refused(refusal);
    AnsweringDialogs answer(file);
    if (!callScene(widget.view(), "ctlExportMacro", {chain}).toBool())
        return refused(QStringLiteral("no macro named %1").arg(CtlCommands::printable(name)));
    QByteArray written;
    if (UserFiles::readImport(file, ImportLimit::MaxBytes, written) != UserFiles::Read::Ok)
        return refused(QStringLiteral("cannot write %1").arg(file));
    return done();
}

CtlReply macroImport(Widget& widget, const QString& file)
{
    QString reason;
    if (!isMacroFile(file, &reason))
        return refused(reason);
    const QString name = MacroPaths::baseName(file);
    if (!isMacroName(name))
        return refused(QStringLiteral("%1 is not a usable macro name").arg(CtlCommands::printable(name)));
    if (callScene(widget.view(), "ctlMacroEntries").toStringList().contains(name)
        || QFileInfo::exists(MacroPaths::rootPath() + name + QStringLiteral(".bin")))
        return refused(QStringLiteral("a macro named %1 already exists").arg(CtlCommands::printable(name)));
    AnsweringDialogs answer(file);
    if (!callScene(widget.view(), "ctlImportMacro", {name}).toBool())
        return refused(QStringLiteral("cannot import %1").arg(file));
    return done();
}

// The state of automatic switching, as `auto` and `rule list` begin.
QString autoSummary(const QVariantMap& rules, const SceneState& s)
{
    const int fallback = rules.value(QStringLiteral("defaultProfile")).toInt();
    const QString reason = rules.value(QStringLiteral("unavailableReason")).toString();
    QString out = QStringLiteral("auto: %1\n").arg(rules.value(QStringLiteral("autoSwitch")).toBool()
                                                        ? QStringLiteral("on") : QStringLiteral("off"));
    out += QStringLiteral("default profile: %1\n").arg(profileLabel(s, fallback));
    out += reason.isEmpty() ? QStringLiteral("window in front: followed\n")
                            : QStringLiteral("window in front: not followed: %1\n").arg(CtlCommands::printable(reason));
    return out;
}

CtlReply autoSwitch(Widget& widget, const SceneState& s, int onOff)
{
    myQQuickView& view = *widget.view();
    if (onOff < 0)
        return done(autoSummary(view.programRules(), s));
    if (!view.setAutoProfile(onOff == 1))
        return refused(QStringLiteral("cannot write the settings"));
    return done();
}

CtlReply ruleList(Widget& widget, const SceneState& s, bool json)
{
    const QVariantMap rules = widget.view()->programRules();
    const QVariantList list = rules.value(QStringLiteral("rules")).toList();
    if (json) {
        QStringList ruleLines;
        for (const QVariant& entry : list) {
            const QVariantMap rule = entry.toMap();
            const int profile = rule.value(QStringLiteral("profile")).toInt();
            ruleLines << jsonObjectLine({{QStringLiteral("program"), rule.value(QStringLiteral("program")).toString()},
                                         {QStringLiteral("match"), rule.value(QStringLiteral("match")).toString()},
                                         {QStringLiteral("profile"), profile},
                                         {QStringLiteral("listed"), s.profileSlots.contains(profile - 1)}});
        }
        const QString reason = rules.value(QStringLiteral("unavailableReason")).toString();
        QString line = jsonObjectLine({
            {QStringLiteral("auto"), rules.value(QStringLiteral("autoSwitch")).toBool()},
            {QStringLiteral("notice"), rules.value(QStringLiteral("notice")).toBool()},
            {QStringLiteral("defaultProfile"), rules.value(QStringLiteral("defaultProfile")).toInt()},
            {QStringLiteral("unavailableReason"), reason.isEmpty() ? QJsonValue() : QJsonValue(reason)},
        });
        // The rules last, each object as the other lines print them.
        line.chop(1);
        return done(line + QStringLiteral(", \"rules\": [") + ruleLines.join(QStringLiteral(", "))
                    + QStringLiteral("]}\n"));
    }
    QString out = autoSummary(rules, s);
    out += QStringLiteral("rules: %1\n").arg(list.size());
    for (const QVariant& entry : list) {
        const QVariantMap rule = entry.toMap();
        out += QStringLiteral("  %1  %2  %3\n")
                   .arg(profileLabel(s, rule.value(QStringLiteral("profile")).toInt()),
                        rule.value(QStringLiteral("match")).toString().leftJustified(10),
                        CtlCommands::printable(rule.value(QStringLiteral("program")).toString()));
    }
    return done(out);
}

// Why a program name cannot be a rule's, with the name where it helps.
QString programRefusal(const QString& program)
{
    const ProgramNameFault fault = programNameFault(program);
    if (fault == ProgramNameFault::Slash || fault == ProgramNameFault::ControlCharacter)
        return QStringLiteral("%1: %2").arg(programNameRefusal(program), CtlCommands::printable(program));
    return programNameRefusal(program);
}

QString matchOf(bool byClass)
{
    return matchName(byClass ? ProgramRule::Match::WindowClass : ProgramRule::Match::Executable);
}

CtlReply ruleAdd(Widget& widget, const SceneState& s, const QString& program, int profile, bool byClass)
{
    const QString refusal = programRefusal(program);
    if (!refusal.isEmpty())
        return refused(refusal);
    // A rule applies a profile as the title bar does: one it lists.
    if (!s.profileSlots.contains(profile - 1))
        return refused(QStringLiteral("profile %1 is not listed in the title bar").arg(profile));
    const QString fault = widget.view()->addProgramRule(program, matchOf(byClass), profile);
    if (fault == QLatin1String("count"))
        return refused(QStringLiteral("there are %1 rules already, the most there may be").arg(ProgramRules::MaxRules));
    if (!fault.isEmpty())
        return refused(QStringLiteral("cannot write the settings"));
    return done();
}

CtlReply ruleRemove(Widget& widget, const QString& program, bool byClass)
{
    const QString refusal = programRefusal(program);
    if (!refusal.isEmpty())
        return refused(refusal);
    myQQuickView& view = *widget.view();
    ProgramRule::Match match = byClass ? ProgramRule::Match::WindowClass : ProgramRule::Match::Executable;
    if (readProgramRules(view.config()).indexOf(program, match) < 0)
        return refused(QStringLiteral("no %1 rule for %2").arg(matchOf(byClass), CtlCommands::printable(program)));
    if (!view.removeProgramRule(program, matchOf(byClass)))
        return refused(QStringLiteral("cannot write the settings"));
    return done();
}

} // namespace

namespace CtlCommands {

QString printable(const QString& text)
{
    QString out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

static CtlReply carryOut(Widget& widget, const QStringList& args)
{
    const CtlParse p = CtlArguments::parse(args);
    if (!p.ok)
        return usageError(p.error, p.usage);
    const CtlCommand& c = p.command;
    if (c.kind == CtlCommand::Help)
        return done(c.help);
    const bool toOutput = c.file == QLatin1String("-")
        && (c.kind == CtlCommand::ProfileExport || c.kind == CtlCommand::MacroExport);
    if (!c.file.isEmpty() && !toOutput && QFileInfo(c.file).isRelative())
        return refused(QStringLiteral("file names must be absolute"));
    const SceneState s = sceneState(widget.view());
    if (!s.initialised)
        return refused(QStringLiteral("Halcyon is still starting"));
    switch (c.kind) {
    case CtlCommand::Status:
        return status(widget, s, c.json);
    case CtlCommand::ProfileList:
        return profileList(s, c.json);
    case CtlCommand::ProfileSwitch:
        return profileSwitch(widget, s, c.number - 1);
    case CtlCommand::ProfileExport:
        return profileExport(widget, c.number - 1, c.file);
    case CtlCommand::ProfileImport:
        return profileImport(widget, s, c.file, c.number - 1);
    case CtlCommand::DpiStage:
        return dpiStage(widget, s, c.number, p.usage);
    case CtlCommand::DpiShow:
        return dpiShow(s);
    case CtlCommand::MacroList:
        return macroList(widget);
    case CtlCommand::MacroExport:
        return macroExport(widget, c.name, c.file);
    case CtlCommand::MacroImport:
        return macroImport(widget, c.file);
    case CtlCommand::RuleList:
        return ruleList(widget, s, c.json);
    case CtlCommand::RuleAdd:
        return ruleAdd(widget, s, c.name, c.number, c.byClass);
    case CtlCommand::RuleRemove:
        return ruleRemove(widget, c.name, c.byClass);
    case CtlCommand::Auto:
        return autoSwitch(widget, s, c.onOff);
    case CtlCommand::Help:
        break;
    }
    return done();
}

CtlReply run(Widget& widget, const QStringList& args)
{
    // A file that could not be written is the request's answer, not a
    // warning box: the settings changed by the request are written now.
    WriteFailures::Collector failures;
    CtlReply reply = carryOut(widget, args);
    if (myQQuickView* view = widget.view())
        view->profiles().writePending();
    if (reply.code == 0 && !failures.texts().isEmpty())
        return refused(failures.texts().constFirst());
    return reply;
}

} // namespace CtlCommands

#include "settings/program_rules.h"
#include "settings/config_store.h"

namespace {
const QString kGroup = QStringLiteral("programRules/");

QString key(const char* name, int index = 0)
{
    return kGroup + QLatin1String(name) + (index > 0 ? QString::number(index) : QString());
}
} // namespace

const ProgramRule* ProgramRules::find(const QString& executable, const QString& windowClassInstance,
                                      const QString& windowClassName) const
{
    for (const ProgramRule& rule : rules) {
        if (rule.match == ProgramRule::Match::Executable) {
            if (!executable.isEmpty() && rule.program == executable)
                return &rule;
        } else if ((!windowClassInstance.isEmpty()
                    && rule.program.compare(windowClassInstance, Qt::CaseInsensitive) == 0)
                   || (!windowClassName.isEmpty()
                       && rule.program.compare(windowClassName, Qt::CaseInsensitive) == 0)) {
            return &rule;
        }
    }
    return nullptr;
}

int ProgramRules::indexOf(const QString& program, ProgramRule::Match match) const
{
    for (int i = 0; i < rules.size(); ++i) {
        // Class rules match without regard to case, so "firefox" and
        // "Firefox" are the same rule.
        const Qt::CaseSensitivity sensitivity =
            match == ProgramRule::Match::WindowClass ? Qt::CaseInsensitive : Qt::CaseSensitive;
        if (rules.at(i).match == match && rules.at(i).program.compare(program, sensitivity) == 0)
            return i;
    }
    return -1;
}

ProgramNameFault programNameFault(const QString& program)
{
    if (program.isEmpty())
        return ProgramNameFault::Empty;
    if (program.contains(QLatin1Char('/')))
        return ProgramNameFault::Slash;
    for (const QChar c : program) {
        if (c.category() == QChar::Other_Control)
            return ProgramNameFault::ControlCharacter;
    }
    if (program.toUtf8().size() > ProgramRules::MaxProgramBytes)
        return ProgramNameFault::TooLong;
    return ProgramNameFault::None;
}

QString programNameRefusal(const QString& program)
{
    switch (programNameFault(program)) {
    case ProgramNameFault::None:
        break;
    case ProgramNameFault::Empty:
        return QStringLiteral("no program name given");
    case ProgramNameFault::Slash:
        return QStringLiteral("a program name has no slash: give the executable's file name, not its path");
    case ProgramNameFault::ControlCharacter:
        return QStringLiteral("a program name has no control characters");
    case ProgramNameFault::TooLong:
        return QStringLiteral("a program name has at most %1 bytes").arg(ProgramRules::MaxProgramBytes);
    }
    return {};
}

QString matchName(ProgramRule::Match match)
{
    return match == ProgramRule::Match::Executable ? QStringLiteral("executable") : QStringLiteral("class");
}

bool parseMatch(const QString& text, ProgramRule::Match* match)
{
    if (text == QLatin1String("executable"))
        *match = ProgramRule::Match::Executable;
    else if (text == QLatin1String("class"))
        *match = ProgramRule::Match::WindowClass;
    else
        return false;
    return true;
}

ProgramRules readProgramRules(const ConfigStore& config)
{
    ProgramRules rules;
    rules.autoSwitch = config.value(key("autoSwitch")).toString() == QLatin1String("true");
    rules.notice = config.value(key("notice")).toString() != QLatin1String("false");
    bool ok = false;
    const int defaultProfile = config.value(key("defaultProfile")).toInt(&ok);
    if (ok && ProgramRules::validProfile(defaultProfile))
        rules.defaultProfile = defaultProfile;
    const int count = config.value(key("count")).toInt();
    for (int i = 1; i <= count && rules.rules.size() < ProgramRules::MaxRules; ++i) {
        ProgramRule rule;
        rule.program = config.value(key("program", i)).toString();
        rule.profile = config.value(key("profile", i)).toInt(&ok);
        if (programNameFault(rule.program) != ProgramNameFault::None || !ok || !ProgramRules::validProfile(rule.profile)
            || !parseMatch(config.value(key("match", i)).toString(), &rule.match))
            continue;
        rules.rules << rule;
    }
    return rules;
}

void writeProgramRules(ConfigStore& config, const ProgramRules& rules)
{
    const int oldCount = config.value(key("count")).toInt();
    config.setValue(key("autoSwitch"), rules.autoSwitch);
    config.setValue(key("notice"), rules.notice);
    config.setValue(key("defaultProfile"), rules.defaultProfile);
    config.setValue(key("count"), int(rules.rules.size()));
    for (int i = 1; i <= rules.rules.size(); ++i) {
        const ProgramRule& rule = rules.rules.at(i - 1);
        config.setValue(key("program", i), rule.program);
        config.setValue(key("match", i), matchName(rule.match));
        config.setValue(key("profile", i), rule.profile);
    }
    for (int i = int(rules.rules.size()) + 1; i <= oldCount; ++i) {
        config.remove(key("program", i));
        config.remove(key("match", i));
        config.remove(key("profile", i));
    }
}

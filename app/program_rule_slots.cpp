#include "app/active_window_watcher.h"
#include "app/myqquickview.h"
#include "app/window_reasons.h"
#include "settings/program_rules.h"
#include <algorithm>

namespace {

// The dialog's code for what is wrong with a program name; empty when nothing.
QString faultCode(const QString& program)
{
    switch (programNameFault(program)) {
    case ProgramNameFault::None:
        break;
    case ProgramNameFault::Empty:
        return QStringLiteral("empty");
    case ProgramNameFault::Slash:
        return QStringLiteral("slash");
    case ProgramNameFault::ControlCharacter:
        return QStringLiteral("control");
    case ProgramNameFault::TooLong:
        return QStringLiteral("long");
    }
    return {};
}

// Replaces the stored rules, writes the file and tells the listeners;
// false when the file could not be written (warned).
bool storeRules(myQQuickView& view, const ProgramRules& rules)
{
    writeProgramRules(view.config(), rules);
    const bool written = view.writePendingSettings();
    emit view.programRulesChanged();
    return written;
}

} // namespace

QString myQQuickView::windowReason() const
{
    const QString english = ActiveWindowWatcher::current().unavailableReason();
    if (english.isEmpty())
        return english;
    const QString language = m_config.value(QStringLiteral("common/language")).toString();
    return translatedWindowReason(english, m_languages.page(QStringLiteral("windowReasons"), language));
}

QVariantMap myQQuickView::programRules()
{
    const ProgramRules rules = readProgramRules(m_config);
    QVariantList list;
    for (const ProgramRule& rule : rules.rules) {
        list << QVariantMap{{QStringLiteral("program"), rule.program},
                            {QStringLiteral("match"), matchName(rule.match)},
                            {QStringLiteral("profile"), rule.profile}};
    }
    return {{QStringLiteral("autoSwitch"), rules.autoSwitch},
            {QStringLiteral("notice"), rules.notice},
            {QStringLiteral("defaultProfile"), rules.defaultProfile},
            {QStringLiteral("rules"), list},
            {QStringLiteral("unavailableReason"), windowReason()}};
}

QString myQQuickView::addProgramRule(QString program, QString match, int profile)
{
    const QString fault = faultCode(program);
    if (!fault.isEmpty())
        return fault;
    ProgramRule rule;
    rule.program = program;
    rule.profile = profile;
    if (!parseMatch(match, &rule.match))
        return QStringLiteral("match");
    if (!ProgramRules::validProfile(profile))
        return QStringLiteral("profile");
    ProgramRules rules = readProgramRules(m_config);
    const int existing = rules.indexOf(program, rule.match);
    if (existing >= 0)
        rules.rules[existing].profile = profile;
    else if (rules.rules.size() >= ProgramRules::MaxRules)
        return QStringLiteral("count");
    else
        rules.rules << rule;
    return storeRules(*this, rules) ? QString() : QStringLiteral("write");
}

bool myQQuickView::removeProgramRule(QString program, QString match)
{
    ProgramRule::Match kind;
    if (!parseMatch(match, &kind))
        return false;
    ProgramRules rules = readProgramRules(m_config);
    const int index = rules.indexOf(program, kind);
    if (index < 0)
        return false;
    rules.rules.removeAt(index);
    return storeRules(*this, rules);
}

int myQQuickView::removeProgramRulesOf(int profile)
{
    ProgramRules rules = readProgramRules(m_config);
    const int before = int(rules.rules.size());
    rules.rules.erase(std::remove_if(rules.rules.begin(), rules.rules.end(),
                                     [profile](const ProgramRule& rule) { return rule.profile == profile; }),
                      rules.rules.end());
    const int removed = before - int(rules.rules.size());
    const bool wasDefault = rules.defaultProfile == profile;
    if (wasDefault)
        rules.defaultProfile = 1;
    if (removed == 0 && !wasDefault)
        return 0;
    storeRules(*this, rules);
    return removed;
}

bool myQQuickView::setAutoProfile(bool on)
{
    ProgramRules rules = readProgramRules(m_config);
    rules.autoSwitch = on;
    return storeRules(*this, rules);
}

bool myQQuickView::setAutoProfileNotice(bool on)
{
    ProgramRules rules = readProgramRules(m_config);
    rules.notice = on;
    return storeRules(*this, rules);
}

bool myQQuickView::setDefaultProfile(int profile)
{
    if (!ProgramRules::validProfile(profile))
        return false;
    ProgramRules rules = readProgramRules(m_config);
    rules.defaultProfile = profile;
    return storeRules(*this, rules);
}

QVariantList myQQuickView::programsWithWindows()
{
    QVariantList list;
    for (const WindowProgram& program : ActiveWindowWatcher::current().programsWithWindows()) {
        list << QVariantMap{{QStringLiteral("executable"), program.executable},
                            {QStringLiteral("class"), program.className},
                            {QStringLiteral("instance"), program.classInstance},
                            {QStringLiteral("title"), program.title},
                            {QStringLiteral("icon"), program.iconName}};
    }
    return list;
}

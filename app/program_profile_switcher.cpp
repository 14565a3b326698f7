#include "app/program_profile_switcher.h"
#include "app/myqquickview.h"
#include "app/scene_state.h"
#include "app/widget.h"
#include <QApplication>
#include <QDebug>
#include <QQuickItem>

namespace {

QString programName(const WindowProgram& program)
{
    return program.executable.isEmpty() ? program.className : program.executable;
}

bool sameProgram(const WindowProgram& a, const WindowProgram& b)
{
    return a.executable == b.executable && a.className == b.className && a.classInstance == b.classInstance;
}

} // namespace

QString& ProgramProfileSwitcher::noticeText()
{
    static QString text = QString::fromLatin1(EnglishNoticeText);
    return text;
}

ProgramProfileSwitcher::ProgramProfileSwitcher(Widget& widget) : QObject(&widget), m_widget(widget)
{
    m_hold.setSingleShot(true);
    connect(&m_hold, &QTimer::timeout, this, &ProgramProfileSwitcher::holdElapsed);
}

ProgramProfileSwitcher::~ProgramProfileSwitcher()
{
    if (m_watching)
        ActiveWindowWatcher::current().stop();
}

void ProgramProfileSwitcher::start()
{
    ActiveWindowWatcher& watcher = ActiveWindowWatcher::current();
    connect(&watcher, &ActiveWindowWatcher::activated, this, &ProgramProfileSwitcher::programActivated);
    if (myQQuickView* view = m_widget.view())
        connect(view, &myQQuickView::programRulesChanged, this, &ProgramProfileSwitcher::rulesChanged);
    rulesChanged();
}

void ProgramProfileSwitcher::rulesChanged()
{
    m_rules = readProgramRules(m_widget.view()->config());
    ActiveWindowWatcher& watcher = ActiveWindowWatcher::current();
    if (m_rules.autoSwitch && !m_watching) {
        m_watching = true;
        m_frontKnown = false;
        watcher.start();
    } else if (!m_rules.autoSwitch && m_watching) {
        m_watching = false;
        watcher.stop();
        stopHold();
    } else if (m_watching && m_frontKnown && !m_frontIsOwn) {
        // A changed rule or default counts for the program in front too.
        startHold(HoldMs);
    }
}

void ProgramProfileSwitcher::programActivated(const WindowProgram& program)
{
    if (!m_watching)
        return;
    // A window that says nothing about its program (the desktop itself,
    // no window at all) leaves things as they are.
    if (program.executable.isEmpty() && program.className.isEmpty() && program.pid == 0)
        return;
    const bool own = program.pid != 0 && program.pid == QCoreApplication::applicationPid();
    if (m_frontKnown && own == m_frontIsOwn && sameProgram(program, m_front))
        return;
    m_front = program;
    m_frontKnown = true;
    m_frontIsOwn = own;
    if (own)
        stopHold();
    else
        startHold(HoldMs);
}

void ProgramProfileSwitcher::startHold(int ms)
{
    if (m_timerHook)
        m_timerHook(ms);
    else
        m_hold.start(ms);
}

void ProgramProfileSwitcher::stopHold()
{
    if (m_timerHook)
        m_timerHook(-1);
    else
        m_hold.stop();
}

QString ProgramProfileSwitcher::blocker() const
{
    if (!Widget::deviceConnected())
        return QStringLiteral("no mouse connected");
    // A transfer of ours, or another party holding the device token.
    if (m_widget.hid().transferInProgress() || !m_widget.hid().hidFree)
        return QStringLiteral("a transfer runs");
    if (QApplication::activeModalWidget())
        return QStringLiteral("a dialog is open");
    QObject* root = m_widget.view() ? m_widget.view()->rootObject() : nullptr;
    if (!root || !sceneState(m_widget.view()).initialised)
        return QStringLiteral("still starting");
    if (root->property("isLocked").toBool())
        return QStringLiteral("a transfer runs");
    if (root->property("isDialogOpen").toBool())
        return QStringLiteral("a dialog is open");
    return {};
}

void ProgramProfileSwitcher::holdElapsed()
{
    if (!m_watching || !m_frontKnown || m_frontIsOwn)
        return;
    if (!blocker().isEmpty()) {
        startHold(HoldMs);
        return;
    }
    const ProgramRule* rule = m_rules.find(m_front.executable, m_front.classInstance, m_front.className);
    const int slot = (rule ? rule->profile : m_rules.defaultProfile) - 1;
    const SceneState bar = sceneState(m_widget.view());
    const QString program = programName(m_front);
    const int listed = bar.profileSlots.indexOf(slot);
    if (listed < 0) {
        qDebug().noquote() << QStringLiteral("Profile %1 for %2 is not listed in the title bar: not applied")
                                  .arg(slot + 1)
                                  .arg(program);
        return;
    }
    if (slot == bar.profile)
        return;
    // The title bar's switch: the scene loads the profile and sends it.
    callScene(m_widget.view(), "changeProfile", {slot});
    if (m_rules.notice)
        m_widget.showTrayMessage(QStringLiteral("Info"), noticeText().arg(bar.names.value(listed), program));
}

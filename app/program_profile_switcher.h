#pragma once
#include "app/active_window_watcher.h"
#include "settings/program_rules.h"
#include <QObject>
#include <QTimer>
#include <functional>

class Widget;

// Makes the profile follow the program in front: for the program whose
// window is in front it finds its rule (or the default profile) and, once
// the program has stayed in front for HoldMs, switches to that profile as
// the title bar does. It watches only while automatic switching is on.
//
// A switch waits while a transfer runs, while one of Halcyon's dialogs is
// open, while the scene is still starting and while no mouse is connected;
// it is retried every HoldMs until none of these holds, and then applies the
// profile of the program in front at that moment (not of the one that was
// in front when it came due). Halcyon's own windows count as a program in
// front (they end the hold of the one before) but never switch: the user
// changing a profile in the window keeps it. Another window of the program
// already in front starts nothing either.
class ProgramProfileSwitcher : public QObject {
    Q_OBJECT
public:
    static constexpr int HoldMs = 500;

    explicit ProgramProfileSwitcher(Widget& widget);
    ~ProgramProfileSwitcher() override;

    // Reads the rules and starts watching if automatic switching is on.
    void start();
    // Replaces starting (ms >= 0) and stopping (ms < 0) the real hold timer
    // (halcyon-sim runs it in virtual time and calls holdElapsed); null
    // restores the timer.
    void setHoldTimerHook(std::function<void(int ms)> hook) { m_timerHook = std::move(hook); }
    // The program in front has been there for HoldMs (or a blocked switch
    // is tried again).
    void holdElapsed();

    // The tray notice's text: "Profile %1 for %2" (profile name, program),
    // in the current language (string 0 of the language group
    // "programSwitch").
    static QString& noticeText();
    static constexpr const char* EnglishNoticeText = "Profile %1 for %2";

private:
    void rulesChanged();
    void programActivated(const WindowProgram& program);
    void startHold(int ms);
    void stopHold();
    // Why a switch must wait now; empty when it may run.
    QString blocker() const;

    Widget& m_widget;
    ProgramRules m_rules;
    bool m_watching = false;
    // The program in front, and whether it is one of Halcyon's own windows.
    WindowProgram m_front;
    bool m_frontKnown = false;
    bool m_frontIsOwn = false;
    QTimer m_hold;
    std::function<void(int)> m_timerHook;
};

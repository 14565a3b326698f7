#pragma once
#include "device/clock.h"
#include "device/hid_thread.h"
#include "device/virtual_mouse.h"
#include "scripted_dialogs.h"
#include "sim_scene_clock.h"
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class myQQuickView;
class Widget;

class QTextStream;

struct SimOptions {
    QString family = QStringLiteral("553");
    bool gun = false;
    bool colorful = false;
    bool is55328 = false;
    QString sensor;            // empty: keep the shipped value
    QString workdir;           // empty: a fresh temporary directory
    bool traceStartup = false; // print the start-up traffic too
    QString scene;             // empty: the compiled-in scene
    QString data;              // the shipped data tree a fresh working
                               // directory starts from; empty: the one
                               // next to the executable
    QString script;            // "-" for standard input
};

// One run of halcyon-sim: the virtual mouse, the virtual clock, the program's
// real start-up (Widget, the scene, detection) wired to them, and the script
// interpreter.
class SimSession : public QObject {
    Q_OBJECT
public:
    explicit SimSession(const SimOptions& options);
    ~SimSession() override;

    // Prepares the working directory and runs the program's start-up.
    bool start();
    // Ends the program through its normal teardown and starts it again on
    // the same working directory and the same virtual mouse.
    bool restart(bool trace);
    // Called after a restart's teardown, before the new start-up.
    void onRestart(std::function<void()> hook) { m_restartHooks.push_back(std::move(hook)); }
    // Called at every pacing sleep of a transfer, after its line is printed.
    void onSleep(std::function<void()> hook) { m_sleepHooks.push_back(std::move(hook)); }
    // Runs every line of the script; false when a line could not be run.
    bool run(QTextStream& script);
    // Stops the listener and lets its job end.
    void finish();

    // Script commands {"sim": NAME, ...}; later parts of the program add theirs.
    using SimCommand = std::function<bool(const QJsonObject&)>;
    void addSimCommand(const QString& name, SimCommand command) { m_simCommands.insert(name, command); }
    // Objects reachable by {"call": "NAME.SLOT"}.
    void addObject(const QString& name, QObject* object) { m_objects.insert(name, object); }

    VirtualMouse& mouse() { return m_mouse; }
    // The program's objects; they exist once start() has run.
    Widget* widget() { return m_widget.get(); }
    Hid_Thread& hid();
    myQQuickView* view();

private:
    bool prepareWorkdir();
    // The program's start-up on the prepared working directory.
    void launch();
    // The program's teardown after its event loop has ended.
    void teardown();
    // The detection timer in virtual time: due 2048 ms after its last
    // restart; it fires when a script line has let that much time pass.
    void fireDetectionTimerIfDue();
    // The hold of the program in front (ProgramProfileSwitcher) in virtual
    // time, fired the same way.
    void fireSwitchHoldIfDue();
    // Runs what the event loop has queued (root-function calls, the
    // listener's hand-overs, hot-plug notifications).
    void flushEvents();
    bool runLine(const QJsonObject& line);
    bool runCall(const QJsonObject& line);
    void registerBuiltinCommands();
public:
    // Prints `result {"return":...,"out":[...]}`.
    static void printResult(const QJsonValue& returned, const QJsonArray& out);
private:

    SimOptions m_options;
    VirtualClock m_clock;
    VirtualMouse m_mouse;
    SimSceneClock m_sceneClock{m_clock};
    std::vector<std::function<void()>> m_restartHooks;
    std::vector<std::function<void()>> m_sleepHooks;
    std::unique_ptr<Widget> m_widget;
    long long m_detectionDueMs = -1;  // virtual time; -1 when the timer is idle
    long long m_switchDueMs = -1;     // the same for the switcher's hold
    // A picture to take at a pacing sleep once virtual time reaches m_grabAtMs.
    QString m_armedGrab;
    long long m_grabAtMs = 0;
    void takeArmedGrab();
public:
    // Takes a picture of the window at the first pacing sleep after afterMs
    // of virtual time: what the user sees while a transfer runs.
    void armGrab(const QString& path, int afterMs)
    {
        m_armedGrab = path;
        m_grabAtMs = m_clock.elapsedMs() + afterMs;
    }
    ScriptedDialogs m_dialogs;
    QMap<QString, SimCommand> m_simCommands;
    QMap<QString, QObject*> m_objects;
    QString m_tempDir;
};

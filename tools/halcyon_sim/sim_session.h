#pragma once
#include "device/clock.h"
#include "device/device_owner.h"
#include "device/hid_thread.h"
#include "device/virtual_mouse.h"
#include "scripted_dialogs.h"
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <functional>
#include <memory>

class myQQuickView;

class QTextStream;

struct SimOptions {
    QString family = QStringLiteral("553");
    bool gun = false;
    bool colorful = false;
    bool is55328 = false;
    QString sensor;            // empty: keep the shipped value
    QString workdir;           // empty: a fresh temporary directory
    bool traceStartup = false; // print the start-up traffic too
    QString script;            // "-" for standard input
};

// One run of halcyon-sim: the virtual mouse, the virtual clock, the program's
// objects wired to them, and the script interpreter.
class SimSession : public QObject, public DeviceOwner {
    Q_OBJECT
public:
    explicit SimSession(const SimOptions& options);
    ~SimSession() override;

    // Prepares the working directory and runs the program's start-up.
    bool start();
    // Runs every line of the script; false when a line could not be run.
    bool run(QTextStream& script);
    // Stops the listener and lets its job end.
    void finish();

    // DeviceOwner
    QString controllerFamily() const override { return m_options.family; }
    void deliverCurrentDpi(int stage) override;
    void showTrayMessage(const QString& title, const QString& text) override;
    void disableView() override;

    // Script commands {"sim": NAME, ...}; later parts of the program add theirs.
    using SimCommand = std::function<bool(const QJsonObject&)>;
    void addSimCommand(const QString& name, SimCommand command) { m_simCommands.insert(name, command); }
    // Objects reachable by {"call": "NAME.SLOT"}.
    void addObject(const QString& name, QObject* object) { m_objects.insert(name, object); }

    VirtualMouse& mouse() { return m_mouse; }
    Hid_Thread& hid() { return m_hid; }
    myQQuickView* view() { return m_view.get(); }

private:
    bool prepareWorkdir();
    void connectDevice();
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
    Hid_Thread m_hid;
    std::unique_ptr<myQQuickView> m_view;
    ScriptedDialogs m_dialogs;
    QMap<QString, SimCommand> m_simCommands;
    QMap<QString, QObject*> m_objects;
    QString m_tempDir;
};

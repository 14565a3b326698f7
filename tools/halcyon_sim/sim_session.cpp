#include "sim_session.h"
#include "app/application_startup.h"
#include "app/desktop_notifier.h"
#include "app/input_capture.h"
#include "app/input_capture_fallback.h"
#include "app/myqquickview.h"
#include "app/program_profile_switcher.h"
#include "app/root_call.h"
#include "app/ui_controler.h"
#include "app/widget.h"
#include "device/dpi_switch_texts.h"
#include "settings/ini_format.h"
#include "sim_file_commands.h"
#include "sim_scene_commands.h"
#include "sim_output.h"
#include "sim_pointer_platform.h"
#include "sim_window_watcher.h"
#include "sim_script_commands.h"
#include "sim_user_commands.h"
#include "slot_invoker.h"
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
VirtualFirmware::Family familyOf(const QString& text)
{
    return text == QLatin1String("560") ? VirtualFirmware::Family::F560 : VirtualFirmware::Family::F553;
}

bool copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + QLatin1Char('/') + QDir(from).relativeFilePath(src);
        if (it.fileInfo().isDir()) {
            QDir().mkpath(dst);
        } else if (!QFile::copy(src, dst)) {
            return false;
        } else {
            QFile(dst).setPermissions(QFile(dst).permissions() | QFile::WriteOwner);
        }
    }
    return true;
}

QString compact(const QJsonValue& v)
{
    if (v.isArray())
        return QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact));
    if (v.isObject())
        return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    // Scalars: wrap in an array and strip the brackets.
    QString s = QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
    return s.mid(1, s.size() - 2);
}
} // namespace

namespace {
// The sim prints notices as "tray" lines whether or not a tray is shown;
// none reaches the desktop.
class SilentNotifier : public DesktopNotifier {
public:
    void notify(const QString&, const QString&, int) override {}
};
} // namespace

SimSession::SimSession(const SimOptions& options)
    : m_options(options), m_mouse(familyOf(options.family))
{
    m_clock.onSleep = [this](int ms) {
        SimOutput::line(QStringLiteral("sleep %1").arg(ms));
        for (const auto& hook : m_sleepHooks)
            hook();
        if (!m_armedGrab.isEmpty() && m_clock.elapsedMs() >= m_grabAtMs)
            takeArmedGrab();
    };
    m_mouse.trace = [](const QString& line) { SimOutput::line(line); };
    UserDialogs::install(&m_dialogs);
    static SilentNotifier silent;
    DesktopNotifier::install(&silent);
    registerBuiltinCommands();
    installSimPointerPlatform(*this);
    installSimWindowWatcher(*this);
    registerScriptCommands(*this);
    registerFileCommands(*this);
    registerSceneCommands(*this);
    registerUserCommands(*this);
}

SimSession::~SimSession()
{
    finish();
    m_mouse.onPlugChange = nullptr;
    teardown();
    setRootCallObserver(nullptr);
    UserDialogs::install(nullptr);
    if (!m_tempDir.isEmpty())
        QDir(m_tempDir).removeRecursively();
}

bool SimSession::prepareWorkdir()
{
    QString dir = m_options.workdir;
    if (dir.isEmpty()) {
        QTemporaryDir temp;
        temp.setAutoRemove(false);
        if (!temp.isValid())
            return false;
        dir = m_tempDir = temp.path();
    }
    QDir().mkpath(dir);
    const QString modules = dir + QStringLiteral("/modules");
    if (!QFileInfo::exists(modules)) {
        const QString shipped = m_options.data.isEmpty()
            ? QCoreApplication::applicationDirPath() + QStringLiteral("/modules") : m_options.data;
        if (!copyTree(shipped, modules)) {
            qWarning("cannot copy the shipped data tree from %s", qPrintable(shipped));
            return false;
        }
    }
    if (!QDir::setCurrent(dir))
        return false;
    // The model under test, written where the program reads it.
    const auto config = openIni(QStringLiteral("./modules/setting/apConfig.bin"));
    config->setValue(QStringLiteral("mouse/icType"), m_options.family);
    config->setValue(QStringLiteral("mouse/isGun"), m_options.gun);
    config->setValue(QStringLiteral("mouse/isColorful"), m_options.colorful);
    config->setValue(QStringLiteral("mouse/is55328"), m_options.is55328);
    if (!m_options.sensor.isEmpty())
        config->setValue(QStringLiteral("mouse/sensorType"), m_options.sensor);
    config->sync();
    return config->status() == QSettings::NoError;
}

bool SimSession::start()
{
    if (!prepareWorkdir())
        return false;
    SimOutput::setMuted(!m_options.traceStartup);
    setRootCallObserver([](const QString& name, const QVariantList& args) {
        // A captured button's screen position follows the scene's layout,
        // and nothing the program does depends on it: traces leave it out.
        const QVariantList shown = name == QLatin1String("detectMouse") ? args.mid(0, 2) : args;
        SimOutput::line(QStringLiteral("qml %1 %2").arg(name, compact(variantToJson(shown))));
    });
    chooseSceneRenderer();
    if (!m_options.scene.isEmpty())
        Ui_Controler::setSceneOverride(QUrl::fromLocalFile(m_options.scene));
    launch();
    SimOutput::setMuted(false);
    return true;
}

void SimSession::launch()
{
    m_widget = std::make_unique<Widget>();
    Widget* w = m_widget.get();
    w->hid().setPort(&m_mouse);
    w->hid().setClock(&m_clock);
    w->onTrayMessage = [](const QString& title, const QString& text) {
        SimOutput::line(QStringLiteral("tray %1|%2").arg(title, text));
    };
    w->onViewDisabled = [] { SimOutput::line(QStringLiteral("view disabled")); };
    w->stopSystemHotplug();
    w->setDetectionTimerHook([this] { m_detectionDueMs = m_clock.elapsedMs() + Widget::DetectionIntervalMs; });
    w->programSwitcher().setHoldTimerHook([this](int ms) { m_switchDueMs = ms < 0 ? -1 : m_clock.elapsedMs() + ms; });
    // Plugging and unplugging reach Widget as a udev event would: through
    // the event loop.
    m_mouse.onPlugChange = [w] {
        QMetaObject::invokeMethod(w, [w] { w->deviceChangeNotified(); }, Qt::QueuedConnection);
    };
    addObject(QStringLiteral("hid"), &w->hid());
    addObject(QStringLiteral("ui_View"), w->view());
    addObject(QStringLiteral("ui_Ctl"), w->controller());
    addObject(QStringLiteral("widget"), w);
    // As the program starts without desktop-wide capture: keys and buttons
    // the window receives are the captured ones. (Its one-time notice is
    // not part of the trace.)
    const bool wasMuted = SimOutput::isMuted();
    SimOutput::setMuted(true);
    InputCapture::useWindowFallback(w);
    w->publishKeyCaptureScope(false);
    SimOutput::setMuted(wasMuted);
    InputCapture::registerKeyboardCallback(&Widget::keyboardCallback, w);
    InputCapture::registerMouseCallback(&Widget::mouseCallback, w);
    w->showNormal();
    w->activateWindow();
    w->checkDevice();
    // The scene's "initUI" and "run" belong to the start-up, traced or not.
    flushEvents();
}

void SimSession::teardown()
{
    if (!m_widget)
        return;
    // No capture callback may reach the Widget once it is gone.
    InputCapture::stopWindowFallback();
    InputCapture::registerKeyboardCallback(nullptr, nullptr);
    InputCapture::registerMouseCallback(nullptr, nullptr);
    m_objects.clear();
    m_widget.reset();
    // The window's controller was scheduled for deferred deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_detectionDueMs = -1;
    m_switchDueMs = -1;
}

bool SimSession::restart(bool trace)
{
    if (!m_widget)
        return false;
    // The tray's "Quit": the listener stops and the event loop ends.
    m_widget->exitSYS();
    finish();
    flushEvents();
    teardown();
    // What a new process starts without (the macro selection went with the
    // view).
    dpiSwitchTexts() = QStringList(8, QStringLiteral("DPI Switch to"));
    InputCapture::resetKeyState();
    for (const auto& hook : m_restartHooks)
        hook();
    SimOutput::setMuted(!trace);
    launch();
    SimOutput::setMuted(false);
    return true;
}

Hid_Thread& SimSession::hid()
{
    return m_widget->hid();
}

myQQuickView* SimSession::view()
{
    return m_widget ? m_widget->view() : nullptr;
}

void SimSession::flushEvents()
{
    // The scene's timers see the virtual time the line let pass.
    m_sceneClock.catchUp();
    // A queued call may queue the next one ("initUI", then the posted "run").
    for (int pass = 0; pass < 4; ++pass)
        QCoreApplication::processEvents();
}

void SimSession::takeArmedGrab()
{
    const QString path = m_armedGrab;
    m_armedGrab.clear();
    // Timers the transfer's start asked for begin (as at the first real
    // pacing sleep), the scene sees the time passed since (the busy note's
    // delay), and paints as a real pacing sleep lets it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sceneClock.catchUp();
    for (int pass = 0; pass < 4; ++pass)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QImage image = view() ? view()->grabFramebuffer() : QImage();
    const bool saved = !image.isNull() && image.save(path, "PNG");
    SimOutput::line(QStringLiteral("grab %1 during a transfer%2").arg(path, saved ? QString() : QStringLiteral(" failed")));
}

void SimSession::fireDetectionTimerIfDue()
{
    if (m_detectionDueMs < 0 || m_clock.elapsedMs() < m_detectionDueMs)
        return;
    m_detectionDueMs = -1;
    m_widget->checkDevice();
    flushEvents();
}

void SimSession::fireSwitchHoldIfDue()
{
    if (m_switchDueMs < 0 || m_clock.elapsedMs() < m_switchDueMs || !m_widget)
        return;
    m_switchDueMs = -1;
    m_widget->programSwitcher().holdElapsed();
    flushEvents();
}

void SimSession::finish()
{
    if (!m_widget)
        return;
    hid().hidStopListen();
    m_mouse.interruptReads();
    hid().waitListenerEnded();
}

bool SimSession::run(QTextStream& script)
{
    bool ok = true;
    int number = 0;
    while (!script.atEnd()) {
        const QString text = script.readLine();
        ++number;
        const QString trimmed = text.trimmed();
        // Blank lines and lines starting with '#' are comments.
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(trimmed.toUtf8(), &error);
        if (!doc.isObject()) {
            SimOutput::line(QStringLiteral("error line %1: %2").arg(number).arg(error.errorString()));
            ok = false;
            continue;
        }
        if (!runLine(doc.object())) {
            SimOutput::line(QStringLiteral("error line %1: cannot run %2").arg(number).arg(trimmed));
            ok = false;
        }
        // What the line queued runs before the next line, as the event
        // loop would run it.
        flushEvents();
        fireDetectionTimerIfDue();
        fireSwitchHoldIfDue();
    }
    return ok;
}

bool SimSession::runLine(const QJsonObject& line)
{
    if (line.contains(QStringLiteral("call")))
        return runCall(line);
    if (line.contains(QStringLiteral("sim"))) {
        const auto it = m_simCommands.constFind(line.value(QStringLiteral("sim")).toString());
        return it != m_simCommands.constEnd() && (*it)(line);
    }
    for (auto it = m_simCommands.constBegin(); it != m_simCommands.constEnd(); ++it) {
        // Commands keyed by their own field, such as {"js": ...}.
        if (line.contains(it.key()) && it.key() != QLatin1String("sim"))
            return (*it)(line);
    }
    return false;
}

bool SimSession::runCall(const QJsonObject& line)
{
    const QString call = line.value(QStringLiteral("call")).toString();
    const int dot = call.indexOf(QLatin1Char('.'));
    QObject* target = m_objects.value(call.left(dot));
    if (dot < 0 || !target)
        return false;
    const InvokeResult r = invokeByName(target, call.mid(dot + 1), line.value(QStringLiteral("args")).toArray());
    if (!r.ok) {
        SimOutput::line(QStringLiteral("error ") + r.error);
        return false;
    }
    printResult(r.returned, r.out);
    return true;
}

void SimSession::printResult(const QJsonValue& returned, const QJsonArray& out)
{
    SimOutput::line(QStringLiteral("result {\"return\":%1,\"out\":%2}")
                        .arg(compact(returned), compact(out)));
}

void SimSession::registerBuiltinCommands()
{
    addSimCommand(QStringLiteral("unplug"), [this](const QJsonObject&) {
        m_mouse.unplug();
        // The listener notices at once; let it finish its last cycle and
        // hand the removal to the GUI thread.
        hid().waitListenerEnded();
        flushEvents();
        return true;
    });
    addSimCommand(QStringLiteral("plug"), [this](const QJsonObject&) {
        m_mouse.plug();
        flushEvents();
        return true;
    });
    addSimCommand(QStringLiteral("wait"), [this](const QJsonObject& line) {
        // Lets virtual time pass, as the event loop would idle.
        m_clock.sleepMs(line.value(QStringLiteral("ms")).toInt());
        flushEvents();
        fireDetectionTimerIfDue();
        fireSwitchHoldIfDue();
        return true;
    });
    addSimCommand(QStringLiteral("event"), [this](const QJsonObject& line) {
        QByteArray report;
        for (const QJsonValue& b : line.value(QStringLiteral("bytes")).toArray())
            report.append(char(b.toInt()));
        // Without a listener nobody reads the event interface.
        if (!hid().listening) {
            SimOutput::line(QStringLiteral("event not read"));
            return true;
        }
        m_mouse.sendEvent(report);
        if (!m_mouse.waitEventsHandled(5000))
            SimOutput::line(QStringLiteral("event not read"));
        QCoreApplication::processEvents();
        return true;
    });
    addSimCommand(QStringLiteral("fail"), [this](const QJsonObject& line) {
        static const QMap<QString, VirtualMouse::Op> ops{
            {QStringLiteral("open"), VirtualMouse::Op::Open},
            {QStringLiteral("feature-out"), VirtualMouse::Op::FeatureOut},
            {QStringLiteral("feature-in"), VirtualMouse::Op::FeatureIn},
            {QStringLiteral("write"), VirtualMouse::Op::Write},
            {QStringLiteral("read"), VirtualMouse::Op::Read}};
        const QString op = line.value(QStringLiteral("op")).toString();
        if (!ops.contains(op))
            return false;
        const auto readFailure = line.value(QStringLiteral("silent")).toBool()
            ? VirtualMouse::ReadFailure::Silence : VirtualMouse::ReadFailure::Error;
        m_mouse.failNext(ops.value(op), line.value(QStringLiteral("after")).toInt(0),
                         line.value(QStringLiteral("count")).toInt(1),
                         line.value(QStringLiteral("errno")).toInt(5), readFailure);
        return true;
    });
    addSimCommand(QStringLiteral("token"), [this](const QJsonObject& line) {
        hid().hidFree = line.value(QStringLiteral("free")).toBool(true);
        return true;
    });
    addSimCommand(QStringLiteral("dialog"), [this](const QJsonObject& line) {
        m_dialogs.queueAnswer(line.value(QStringLiteral("answer")).toString());
        return true;
    });
    addSimCommand(QStringLiteral("restart"), [this](const QJsonObject& line) {
        SimOutput::line(QStringLiteral("restart"));
        return restart(line.value(QStringLiteral("trace")).toBool(m_options.traceStartup));
    });
    addSimCommand(QStringLiteral("dump"), [this](const QJsonObject& line) {
        // "keys":["gun","dpiStages"] keeps only those parts of the state.
        QJsonObject state = m_mouse.dump();
        const QJsonArray keys = line.value(QStringLiteral("keys")).toArray();
        if (!keys.isEmpty()) {
            QJsonObject kept;
            for (const QJsonValue& k : keys) {
                if (state.contains(k.toString()))
                    kept.insert(k.toString(), state.value(k.toString()));
            }
            state = kept;
        }
        // "path":"a.json" keeps the state in a file, for "same" to compare.
        const QString path = line.value(QStringLiteral("path")).toString();
        if (!path.isEmpty()) {
            QFile file(path);
            const bool saved = file.open(QIODevice::WriteOnly) && file.write(compact(state).toUtf8()) >= 0;
            SimOutput::line(QStringLiteral("state %1 %2").arg(saved ? QStringLiteral("saved") : QStringLiteral("not saved"), path));
            return true;
        }
        SimOutput::line(QStringLiteral("state ") + compact(state));
        return true;
    });
}

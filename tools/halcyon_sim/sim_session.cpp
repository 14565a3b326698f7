#include "sim_session.h"
#include "app/myqquickview.h"
#include "device/device_table.h"
#include "settings/ini_format.h"
#include "sim_output.h"
#include "sim_pointer_platform.h"
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

SimSession::SimSession(const SimOptions& options)
    : m_options(options), m_mouse(familyOf(options.family))
{
    m_hid.setPort(&m_mouse);
    m_hid.setClock(&m_clock);
    m_hid.owner = this;
    m_clock.onSleep = [](int ms) { SimOutput::line(QStringLiteral("sleep %1").arg(ms)); };
    m_mouse.trace = [](const QString& line) { SimOutput::line(line); };
    addObject(QStringLiteral("hid"), &m_hid);
    UserDialogs::install(&m_dialogs);
    registerBuiltinCommands();
    installSimPointerPlatform(*this);
}

SimSession::~SimSession()
{
    finish();
    m_view.reset();
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
        const QString shipped = QCoreApplication::applicationDirPath() + QStringLiteral("/modules");
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
    m_view = std::make_unique<myQQuickView>();
    m_view->setObjectName(QStringLiteral("ui_View"));
    m_view->hid = &m_hid;
    addObject(QStringLiteral("ui_View"), m_view.get());
    connectDevice();
    SimOutput::setMuted(false);
    return true;
}

// Until the application shell runs the real detection, the session finds the
// mouse the way detection does and starts the listener on it.
void SimSession::connectDevice()
{
    DeviceTable table = readDeviceTable(QStringLiteral("./modules/setting/apConfig.bin"));
    locateInterfaces(m_mouse, table);
    m_hid.devices = table;
    const int j = firstConnectedEntry(table);
    if (j < 0)
        return;
    m_hid.curDevice = j;
    m_hid.hidFree = true;
    m_hid.hidStartListen(j);
}

void SimSession::finish()
{
    m_hid.hidStopListen();
    m_mouse.interruptReads();
    m_hid.waitListenerEnded();
}

void SimSession::deliverCurrentDpi(int stage)
{
    SimOutput::line(QStringLiteral("qml setCurrentDPI [%1]").arg(stage));
}

void SimSession::showTrayMessage(const QString& title, const QString& text)
{
    SimOutput::line(QStringLiteral("tray %1|%2").arg(title, text));
}

void SimSession::disableView()
{
    SimOutput::line(QStringLiteral("view disabled"));
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
        m_hid.waitListenerEnded();
        QCoreApplication::processEvents();
        return true;
    });
    addSimCommand(QStringLiteral("plug"), [this](const QJsonObject&) {
        m_mouse.plug();
        QCoreApplication::processEvents();
        return true;
    });
    addSimCommand(QStringLiteral("event"), [this](const QJsonObject& line) {
        QByteArray report;
        for (const QJsonValue& b : line.value(QStringLiteral("bytes")).toArray())
            report.append(char(b.toInt()));
        // Without a listener nobody reads the event interface.
        if (!m_hid.listening) {
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
        m_hid.hidFree = line.value(QStringLiteral("free")).toBool(true);
        return true;
    });
    addSimCommand(QStringLiteral("dialog"), [this](const QJsonObject& line) {
        m_dialogs.queueAnswer(line.value(QStringLiteral("answer")).toString());
        return true;
    });
    addSimCommand(QStringLiteral("dump"), [this](const QJsonObject&) {
        SimOutput::line(QStringLiteral("state ") + compact(m_mouse.dump()));
        return true;
    });
}

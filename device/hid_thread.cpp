#include "device/hid_thread.h"
#include "device/clock.h"
#include "device/device_owner.h"
#include "device/dpi_switch_texts.h"
#include "device/hidapi_port.h"
#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <cerrno>
#include <cstring>

namespace {
RealClock& realClock()
{
    static RealClock clock;
    return clock;
}
} // namespace

// Marks the time a command spends in its token wait or transfer, during
// which the pacing sleeps handle events.
class TransferScope {
public:
    explicit TransferScope(Hid_Thread& hid) : m_hid(hid) { ++m_hid.m_transferDepth; }
    ~TransferScope()
    {
        if (--m_hid.m_transferDepth == 0) {
            if (!m_hid.m_deferredNotices.isEmpty())
                QMetaObject::invokeMethod(&m_hid, &Hid_Thread::runDeferredNotices, Qt::QueuedConnection);
            emit m_hid.transferEnded();
        }
    }
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;
private:
    Hid_Thread& m_hid;
};

Hid_Thread::Hid_Thread(QObject* parent)
    : QThread(parent), m_port(&HidapiPort::instance()), m_clock(&realClock())
{
}

Hid_Thread::~Hid_Thread()
{
    // The listener job uses this object; it must end before we do.
    hidStopListen();
    waitListenerEnded();
    closeCmd();
}

uchar Hid_Thread::hidCS(uchar* cmd)
{
    uchar sum = 0;
    for (int i = 0; i < 7; ++i)
        sum = static_cast<uchar>(sum + cmd[i]);
    return static_cast<uchar>(~sum);
}

void Hid_Thread::buildCommand(uchar code, std::initializer_list<uchar> args)
{
    std::memcpy(cmdReport, commandBytes(code, args).constData(), sizeof cmdReport);
}

QByteArray Hid_Thread::commandBytes(uchar code, std::initializer_list<uchar> args, const uchar* payload, int n)
{
    QByteArray bytes(9 + n, '\0');
    auto* b = reinterpret_cast<uchar*>(bytes.data());
    b[1] = code;
    int i = 2;
    for (uchar a : args)
        b[i++] = a;
    uchar sum = 0;
    for (int k = 1; k < 8; ++k)
        sum = uchar(sum + b[k]);
    b[8] = uchar(~sum);
    if (n > 0)
        std::memcpy(b + 9, payload, size_t(n));
    return bytes;
}

void Hid_Thread::writeBlock(quint16 block, const QByteArray& bytes, bool settle, const char* failLine)
{
    const bool anyway = m_sendNextAnyway;
    m_sendNextAnyway = false;
    m_lastBlockSkipped = !m_alwaysSendAll && !anyway && m_held.holds(block, bytes);
    if (m_lastBlockSkipped) {
        qDebug().noquote() << "not sent, the mouse holds it:" << bytes.left(9).toHex(' ').toUpper();
        return;
    }
    // Whatever happens from here may leave the block changed on the mouse.
    m_held.forget(block);
    if (!hidWaitFree()) {
        qDebug() << failLine;
        return;
    }
    std::memcpy(cmdReport, bytes.constData(), sizeof cmdReport);
    const int n = int(bytes.size()) - int(sizeof cmdReport);
    if (n > 0)
        std::memcpy(hidData, bytes.constData() + sizeof cmdReport, size_t(n));
    if (hidSetCmd(n, settle))
        m_held.remember(block, bytes);
}

DeviceEntry* Hid_Thread::entry(int index) const
{
    if (index < 0 || index >= devices.size())
        return nullptr;
    return devices.at(index).data();
}

bool Hid_Thread::hidWaitFree()
{
    TransferScope scope(*this);
    for (int waits = 0;; ++waits) {
        if (hidFree) {
            hidFree = false;
            return true;
        }
        if (waits == 255)
            return false;
        m_clock->sleepMs(8);
        // User input waits until the command is over, as in every pacing
        // sleep: a click handled here would start a command that can only
        // be refused.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void Hid_Thread::hidSettle()
{
    m_clock->sleepMs(64);
    m_clock->sleepMs(64);
}

void Hid_Thread::closeCmd()
{
    if (cmdHandle) {
        m_port->close(cmdHandle);
        cmdHandle = nullptr;
    }
}

HidPort::Handle Hid_Thread::hidOpenCmd(int index)
{
    DeviceEntry* e = entry(index);
    if (!e || e->cmdPath.isEmpty())
        return nullptr;
    closeCmd();
    cmdHandle = m_port->open(e->cmdPath.toLatin1());
    if (!cmdHandle) {
        // The path stays: a failed open (a transient I/O error) is tried
        // again by the next command.
        reportOpenFailure(e->cmdPath);
        noteCmdOpenFailure();
        return nullptr;
    }
    m_failedCmdOpens = 0;
    m_unreachableTold = false;
    m_removalHandled = false;
    m_cmdOpenedOnce = true;
    m_port->setNonblocking(cmdHandle, 0);
    return cmdHandle;
}

void Hid_Thread::noteCmdOpenFailure()
{
    const int err = m_port->openErrno();
    // A missing permission has its own notice (reportOpenFailure); a mouse
    // that was never reached is not one that went away.
    if (err == EACCES || !m_cmdOpenedOnce || ++m_failedCmdOpens < UnreachableAfterFailedOpens
        || m_unreachableTold)
        return;
    // Told once, until an open works again.
    m_unreachableTold = true;
    const QString reason = err ? QString::fromLocal8Bit(std::strerror(err)) : QStringLiteral("it does not answer");
    qDebug().noquote() << "Cannot open the command interface twice in a row:" << reason;
    // Told as the mouse's removal is: once the transfer in progress is over.
    deliverNotice([this, reason] {
        // An unplugged mouse has been told as such already.
        if (owner && !m_removalHandled)
            owner->deviceUnreachable(reason);
    });
}

HidPort::Handle Hid_Thread::hidOpenEvent(int index)
{
    return openEvent(entry(index));
}

HidPort::Handle Hid_Thread::openEvent(DeviceEntry* e)
{
    if (!e || e->eventPath.isEmpty())
        return nullptr;
    if (eventHandle) {
        m_port->close(eventHandle);
        eventHandle = nullptr;
    }
    eventHandle = m_port->open(e->eventPath.toLatin1());
    if (!eventHandle) {
        reportOpenFailure(e->eventPath);
        e->eventPath.clear();
        return nullptr;
    }
    m_port->setNonblocking(eventHandle, 0);
    return eventHandle;
}

void Hid_Thread::reportOpenFailure(const QString& path)
{
    if (m_port->openErrno() != EACCES)
        return;
    QMetaObject::invokeMethod(this, [this, path] {
        if (owner)
            owner->deviceNotAccessible(path);
    }, QThread::currentThread() == thread() ? Qt::DirectConnection : Qt::QueuedConnection);
}

bool Hid_Thread::failTransfer()
{
    closeCmd();
    hidFree = true;
    return false;
}

int Hid_Thread::reportLength() const
{
    const DeviceEntry* e = entry(curDevice);
    if (!e || !DeviceEntry::validReportLength(e->reportLength)) {
        qDebug() << "refused transfer: report length" << (e ? e->reportLength : 0) << "is outside 1 to"
                 << DeviceEntry::MaxReportLength;
        return 0;
    }
    return e->reportLength;
}

bool Hid_Thread::hidGetCmd(int n)
{
    TransferScope scope(*this);
    const int L = n > 0 ? reportLength() : 1;
    if (L == 0)
        return failTransfer();
    if (!hidOpenCmd(curDevice))
        return failTransfer();
    HidPort::Handle h = hidOpenCmd(curDevice);
    if (!h || m_port->sendFeatureReport(h, cmdReport, 9) < 0)
        return failTransfer();
    h = hidOpenCmd(curDevice);
    answerReport[0] = 0x00;
    if (!h || m_port->getFeatureReport(h, answerReport, 9) < 0)
        return failTransfer();
    if (n > 0) {
        const int s = qMin(n, L);
        QByteArray buffer(L + 1, '\0');
        auto* buf = reinterpret_cast<unsigned char*>(buffer.data());
        // The interface stays open across the input reports of one block:
        // over hidraw a report that reaches a handle closed unread is lost,
        // so a mouse sending its reports quickly would lose all but the first.
        h = hidOpenCmd(curDevice);
        for (int k = 0; k < n; k += s) {
            buffer.fill('\0');
            // A mouse that never answers would block forever; a bounded read
            // that times out fails the transfer like any other read error.
            if (!h || m_port->readTimeout(h, buf, size_t(L + 1), BlockReadTimeoutMs) <= 0)
                return failTransfer();
            std::memcpy(hidData + k, buf, size_t(qMin(s, n - k)));
        }
    }
    closeCmd();
    hidFree = true;
    return true;
}

bool Hid_Thread::hidSetCmd(int n, bool settle)
{
    TransferScope scope(*this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const int L = n > 0 ? reportLength() : 1;
    if (L == 0)
        return failTransfer();
    if (!hidOpenCmd(curDevice))
        return failTransfer();
    HidPort::Handle h = hidOpenCmd(curDevice);
    if (!h || m_port->sendFeatureReport(h, cmdReport, 9) < 0)
        return failTransfer();
    if (settle)
        hidSettle();
    if (n > 0) {
        const int s = qMin(n, L);
        QByteArray buffer(L + 1, '\0');
        auto* buf = reinterpret_cast<unsigned char*>(buffer.data());
        for (int k = 0; k < n; k += s) {
            // Every report is zero-padded, whatever the previous slice or
            // command left in the buffer.
            buffer.fill('\0');
            std::memcpy(buf + 1, hidData + k, size_t(qMin(s, n - k)));
            h = hidOpenCmd(curDevice);
            if (!h || m_port->write(h, buf, size_t(L + 1)) < 0) {
                qDebug() << "HID FAIL";
                return failTransfer();
            }
            m_clock->sleepMs(120);
        }
        qDebug() << "HID SUCCESS";
        if (settle)
            hidSettle();
    }
    closeCmd();
    hidFree = true;
    return true;
}

void Hid_Thread::hidStartListen(int index)
{
    if (listening)
        listening = false;
    // One listener at a time: the old job notices the cleared flag after at
    // most one read timeout.
    waitListenerEnded();

    // A new connection: the mouse may have been changed elsewhere meanwhile.
    m_held.forgetAll();
    const bool family560 = owner && owner->controllerFamily() == QLatin1String("560");
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (family560) {
        hid560_81H_GetKeyboardoption(b1, b2);
        b1 |= 0x08;
        hid560_01H_SetKeyboardoption(b1, b2);
    } else {
        hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
        b4 |= 0x40;
        hid553_03H_SetKeyboardoption(b1, b2, b3, b4);
    }

    listening = true;
    // The job gets its own copy of the entry: detection may replace the
    // device list on the GUI thread while the job reads.
    QSharedPointer<DeviceEntry> listened = devices.value(index);
    listenFuture = QtConcurrent::run(QThreadPool::globalInstance(), [this, listened] { listenOn(listened); });
}

void Hid_Thread::hidListen(uint index)
{
    listenOn(devices.value(int(index)));
}

bool Hid_Thread::isDpiEventReport(const unsigned char* report, int length)
{
    return length == EventReportLength && report[0] == 0x06 && report[1] == 0x07 && report[3] >= 1
        && report[3] <= MaxDpiStage;
}

void Hid_Thread::listenOn(QSharedPointer<DeviceEntry> listened)
{
    DeviceEntry* e = listened.data();
    if (!e || e->eventPath.isEmpty())
        return;
    while (listening) {
        HidPort::Handle h = openEvent(e);
        if (!h) {
            qDebug() << "Device removed";
            e->eventPath.clear();
            listening = false;
            QMetaObject::invokeMethod(this, [this] { deliverNotice([this] { handleRemoval(); }); },
                                      Qt::QueuedConnection);
            return;
        }
        // Room for longer reports, so that one longer than an event report
        // is seen as such and dropped instead of being cut to four bytes.
        unsigned char buf[64] = {};
        const int r = m_port->readTimeout(h, buf, sizeof buf, ListenReadTimeoutMs);
        if (isDpiEventReport(buf, r)) {
            const int stage = buf[3];
            QMetaObject::invokeMethod(this, [this, stage] { deliverNotice([this, stage] { handleEventReport(stage); }); },
                                      Qt::QueuedConnection);
        }
        if (eventHandle) {
            m_port->close(eventHandle);
            eventHandle = nullptr;
        }
    }
}

void Hid_Thread::deliverNotice(std::function<void()> notice)
{
    // A notice handled inside a pacing sleep would act on the scene in the
    // middle of its command sequence (the sequence's own unlock would then
    // undo the view's disabling); it waits for the transfer to end, in order.
    m_deferredNotices.append(std::move(notice));
    runDeferredNotices();
}

void Hid_Thread::runDeferredNotices()
{
    while (!m_deferredNotices.isEmpty() && !transferInProgress())
        m_deferredNotices.takeFirst()();
}

void Hid_Thread::handleRemoval()
{
    m_removalHandled = true;
    m_held.forgetAll();
    if (owner)
        owner->disableView();
    emit deviceRemoved();
}

void Hid_Thread::handleEventReport(int stage)
{
    if (owner) {
        owner->deliverCurrentDpi(stage);
        const QStringList& texts = dpiSwitchTexts();
        const QString text = stage >= 1 && stage <= 7 ? texts.value(stage - 1) : texts.value(7);
        owner->showTrayMessage(QStringLiteral("Info"), text);
    }
    emit eventReportHandled(stage);
}

void Hid_Thread::hidStopListen()
{
    if (listening)
        listening = false;
}

void Hid_Thread::waitListenerEnded()
{
    if (listenFuture.isValid())
        listenFuture.waitForFinished();
}

#include "device/virtual_mouse.h"
#include "device/device_table.h"
#include "device/hid_thread.h"
#include <QDeadlineTimer>
#include <cstring>

const QByteArray VirtualMouse::CmdPath = QByteArrayLiteral("virtual:04d9:a09f:ff00");
const QByteArray VirtualMouse::EventPath = QByteArrayLiteral("virtual:04d9:a09f:ff01");

struct HidPort::Device {
    bool event = false;
    bool printed = false;  // an event cycle prints only once it reads something
};

namespace {
QString hexBytes(const unsigned char* data, size_t length)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(data), int(length)).toHex(' ').toUpper());
}
} // namespace

VirtualMouse::VirtualMouse(VirtualFirmware::Family family) : m_firmware(family) {}

VirtualMouse::~VirtualMouse() = default;

void VirtualMouse::attach(Hid_Thread& hid)
{
    auto entry = QSharedPointer<DeviceEntry>::create();
    entry->type = 1;
    entry->vid = VendorId;
    entry->pid = ProductId;
    entry->usagePage = entry->usage = 0xFF00;
    entry->usagePage2 = entry->usage2 = 0xFF01;
    hid.setPort(this);
    hid.devices = {entry};
    locateInterfaces(*this, hid.devices);
    hid.curDevice = 0;
}

void VirtualMouse::emitLine(const QString& line)
{
    if (trace)
        trace(line);
}

QJsonObject VirtualMouse::dump()
{
    QMutexLocker lock(&m_mutex);
    QJsonObject o = m_firmware.dump();
    o.insert("plugged", m_plugged);
    return o;
}

void VirtualMouse::plug()
{
    {
        QMutexLocker lock(&m_mutex);
        m_plugged = true;
        m_changed.wakeAll();
    }
    if (onPlugChange)
        onPlugChange();
}

void VirtualMouse::unplug()
{
    {
        QMutexLocker lock(&m_mutex);
        m_plugged = false;
        m_events.clear();
        m_changed.wakeAll();
    }
    if (onPlugChange)
        onPlugChange();
}

bool VirtualMouse::isPlugged() const
{
    QMutexLocker lock(&m_mutex);
    return m_plugged;
}

void VirtualMouse::sendEvent(const QByteArray& report)
{
    QMutexLocker lock(&m_mutex);
    m_events.append(report);
    m_changed.wakeAll();
}

bool VirtualMouse::waitEventsHandled(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&m_mutex);
    while (!m_events.isEmpty() || m_openEventCycles > 0) {
        if (!m_changed.wait(&m_mutex, deadline))
            return false;
    }
    return true;
}

void VirtualMouse::failNext(Op op, int after, int count, int openErrno, ReadFailure readFailure)
{
    QMutexLocker lock(&m_mutex);
    m_faults[op] = Fault{after, count, openErrno, readFailure};
}

void VirtualMouse::interruptReads()
{
    QMutexLocker lock(&m_mutex);
    m_interrupted = true;
    m_changed.wakeAll();
}

bool VirtualMouse::shouldFail(Op op)
{
    auto it = m_faults.find(op);
    if (it == m_faults.end() || it->count <= 0)
        return false;
    if (it->after > 0) {
        --it->after;
        return false;
    }
    --it->count;
    return true;
}

QList<HidDeviceRecord> VirtualMouse::enumerate(quint16 vid, quint16 pid)
{
    QMutexLocker lock(&m_mutex);
    QList<HidDeviceRecord> records;
    if (!m_plugged || (vid && vid != VendorId) || (pid && pid != ProductId))
        return records;
    HidDeviceRecord cmd{CmdPath, VendorId, ProductId, 0xFF00, 0xFF00, 1};
    HidDeviceRecord event{EventPath, VendorId, ProductId, 0xFF01, 0xFF01, 2};
    records << cmd << event;
    return records;
}

HidPort::Handle VirtualMouse::open(const QByteArray& path)
{
    QMutexLocker lock(&m_mutex);
    const bool event = path == EventPath;
    m_openErrno = 0;
    if (!m_plugged || (path != CmdPath && !event)) {
        m_openErrno = 2; // ENOENT: no such node
        lock.unlock();
        emitLine(event ? QStringLiteral("open event failed") : QStringLiteral("open cmd failed"));
        return nullptr;
    }
    if (!event && shouldFail(Op::Open)) {
        m_openErrno = m_faults[Op::Open].openErrno;
        lock.unlock();
        emitLine(QStringLiteral("open cmd failed"));
        return nullptr;
    }
    auto* d = new Device;
    d->event = event;
    lock.unlock();
    // An event cycle is printed only when it delivers something.
    if (!event)
        emitLine(QStringLiteral("open cmd"));
    return d;
}

int VirtualMouse::setNonblocking(Handle, int) { return 0; }

int VirtualMouse::sendFeatureReport(Handle h, const unsigned char* data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    if (!h || h->event || !m_plugged || length != 9 || shouldFail(Op::FeatureOut)) {
        lock.unlock();
        emitLine(QStringLiteral("feature-out failed"));
        return -1;
    }
    m_firmware.featureOut(data);
    lock.unlock();
    emitLine(QStringLiteral("feature-out ") + hexBytes(data, length));
    return int(length);
}

int VirtualMouse::getFeatureReport(Handle h, unsigned char* data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    if (!h || h->event || !m_plugged || length < 9 || shouldFail(Op::FeatureIn)) {
        lock.unlock();
        emitLine(QStringLiteral("feature-in failed"));
        return -1;
    }
    // Report id 0 first, as hidraw returns a feature report.
    const QByteArray answer = m_firmware.featureIn();
    std::memcpy(data, answer.constData(), 9);
    lock.unlock();
    emitLine(QStringLiteral("feature-in ") + hexBytes(data, 9));
    return 9;
}

int VirtualMouse::write(Handle h, const unsigned char* data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    if (!h || h->event || !m_plugged || length < 1 || shouldFail(Op::Write)) {
        lock.unlock();
        emitLine(QStringLiteral("write failed"));
        return -1;
    }
    // The report id byte 0 does not travel for an unnumbered report.
    m_firmware.output(data + 1, int(length) - 1);
    lock.unlock();
    emitLine(QStringLiteral("write ") + hexBytes(data, length));
    return int(length);
}

int VirtualMouse::read(Handle h, unsigned char* data, size_t length)
{
    return readTimeout(h, data, length, -1);
}

int VirtualMouse::readTimeout(Handle h, unsigned char* data, size_t length, int milliseconds)
{
    if (h && h->event)
        return readEvent(h, data, length, milliseconds);
    QMutexLocker lock(&m_mutex);
    if (!h || !m_plugged) {
        lock.unlock();
        emitLine(QStringLiteral("read failed"));
        return -1;
    }
    if (shouldFail(Op::Read)) {
        const bool silent = m_faults[Op::Read].readFailure == ReadFailure::Silence;
        lock.unlock();
        emitLine(silent ? QStringLiteral("read timeout") : QStringLiteral("read failed"));
        return silent ? 0 : -1;
    }
    const QByteArray report = m_firmware.takeInputReport();
    if (report.isEmpty()) {
        // Nothing to deliver: a real read would wait out its timeout.
        lock.unlock();
        emitLine(QStringLiteral("read timeout"));
        return 0;
    }
    const size_t n = qMin(length, size_t(report.size()));
    std::memcpy(data, report.constData(), n);
    lock.unlock();
    emitLine(QStringLiteral("read ") + hexBytes(data, n));
    return int(n);
}

int VirtualMouse::readEvent(Device* d, unsigned char* data, size_t length, int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    QDeadlineTimer deadline(milliseconds < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(milliseconds));
    while (m_plugged && m_events.isEmpty() && !m_interrupted) {
        if (!m_changed.wait(&m_mutex, deadline))
            break;
    }
    QStringList lines;
    int result = 0;
    if (!m_plugged) {
        // Not printed: whether the listener was inside a read or between two
        // cycles when the mouse went away is timing; the failed reopen that
        // follows is what tells the removal.
        result = -1;
    } else if (!m_events.isEmpty()) {
        const QByteArray report = m_events.takeFirst();
        const size_t n = qMin(length, size_t(report.size()));
        std::memcpy(data, report.constData(), n);
        result = int(n);
        lines << QStringLiteral("read ") + hexBytes(data, n);
    }
    if (!lines.isEmpty() && !d->printed) {
        d->printed = true;
        ++m_openEventCycles;
        lines.prepend(QStringLiteral("open event"));
    }
    lock.unlock();
    for (const QString& line : lines)
        emitLine(line);
    return result;
}

void VirtualMouse::close(Handle h)
{
    if (!h)
        return;
    if (h->event) {
        if (h->printed) {
            emitLine(QStringLiteral("close event"));
            QMutexLocker lock(&m_mutex);
            --m_openEventCycles;
            m_changed.wakeAll();
        }
    } else {
        emitLine(QStringLiteral("close cmd"));
    }
    delete h;
}

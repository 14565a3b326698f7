#include "device/hidapi_port.h"
#include "device/clock.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <hidapi.h>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
hid_device* dev(HidPort::Handle h) { return reinterpret_cast<hid_device*>(h); }
} // namespace

HidapiPort& HidapiPort::instance()
{
    static HidapiPort port;
    return port;
}

HidapiPort::HidapiPort()
{
    hid_init();
}

QList<HidDeviceRecord> HidapiPort::enumerate(quint16 vid, quint16 pid)
{
    QList<HidDeviceRecord> records;
    hid_device_info* list = hid_enumerate(vid, pid);
    for (hid_device_info* d = list; d; d = d->next) {
        HidDeviceRecord r;
        r.path = QByteArray(d->path);
        r.vendorId = d->vendor_id;
        r.productId = d->product_id;
        r.usagePage = d->usage_page;
        r.usage = d->usage;
        r.interfaceNumber = d->interface_number;
        records.append(r);
    }
    hid_free_enumeration(list);
    return records;
}

HidPort::Handle HidapiPort::open(const QByteArray& path)
{
    hid_device* d = hid_open_path(path.constData());
    m_openErrno = 0;
    if (!d) {
        // hidapi does not say why; ask the node itself, so that a missing
        // permission can be told apart from a vanished device.
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
        m_openErrno = fd < 0 ? errno : 0;
        if (fd >= 0)
            ::close(fd);
    }
    return reinterpret_cast<Handle>(d);
}

int HidapiPort::setNonblocking(Handle h, int nonblock) { return hid_set_nonblocking(dev(h), nonblock); }

int HidapiPort::sendFeatureReport(Handle h, const unsigned char* data, size_t length)
{
    return hid_send_feature_report(dev(h), data, length);
}

int HidapiPort::getFeatureReport(Handle h, unsigned char* data, size_t length)
{
    return hid_get_feature_report(dev(h), data, length);
}

int HidapiPort::write(Handle h, const unsigned char* data, size_t length) { return hid_write(dev(h), data, length); }

int HidapiPort::read(Handle h, unsigned char* data, size_t length) { return hid_read(dev(h), data, length); }

int HidapiPort::readTimeout(Handle h, unsigned char* data, size_t length, int milliseconds)
{
    // On the GUI thread (the block query of a command) the wait is cut into
    // short reads with the window's events handled in between, as the pacing
    // sleeps do; the listener's reads on its pool thread wait in one piece.
    if (milliseconds <= SliceMs || !QCoreApplication::instance()
        || QThread::currentThread() != QCoreApplication::instance()->thread())
        return hid_read_timeout(dev(h), data, length, milliseconds);
    const QDeadlineTimer deadline(milliseconds);
    for (;;) {
        const int slice = int(qMin<qint64>(SliceMs, qMax<qint64>(0, deadline.remainingTime())));
        const int r = hid_read_timeout(dev(h), data, length, slice);
        if (r != 0 || deadline.hasExpired())
            return r;
        handleEventsExceptUserInput();
    }
}

void HidapiPort::close(Handle h) { hid_close(dev(h)); }

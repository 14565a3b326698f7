#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <cstddef>

// One HID interface as enumeration reports it.
struct HidDeviceRecord {
    QByteArray path;
    quint16 vendorId = 0;
    quint16 productId = 0;
    quint16 usagePage = 0;
    quint16 usage = 0;
    int interfaceNumber = -1;
};

// The HID calls the program makes, and nothing else. Real hidapi sits behind
// one implementation, the virtual mouse behind another, so that everything
// above this line runs the same code against both.
class HidPort {
public:
    struct Device;  // opaque handle, defined by each implementation
    using Handle = Device*;

    virtual ~HidPort() = default;
    // hid_enumerate + hid_free_enumeration: vid/pid 0 match anything.
    virtual QList<HidDeviceRecord> enumerate(quint16 vid, quint16 pid) = 0;
    // hid_open_path: null on failure; openErrno() tells why (EACCES, ENOENT...).
    virtual Handle open(const QByteArray& path) = 0;
    virtual int openErrno() const { return 0; }
    virtual int setNonblocking(Handle h, int nonblock) = 0;
    virtual int sendFeatureReport(Handle h, const unsigned char* data, size_t length) = 0;
    virtual int getFeatureReport(Handle h, unsigned char* data, size_t length) = 0;
    virtual int write(Handle h, const unsigned char* data, size_t length) = 0;
    virtual int read(Handle h, unsigned char* data, size_t length) = 0;
    virtual int readTimeout(Handle h, unsigned char* data, size_t length, int milliseconds) = 0;
    virtual void close(Handle h) = 0;
};

// A HID bus for tests of detection: it lists whatever interfaces a test puts
// on it, and nothing on it opens.
#pragma once
#include "device/hid_port.h"
#include <QList>

class FakeBus : public HidPort {
public:
    QList<HidDeviceRecord> records;
    QList<HidDeviceRecord> enumerate(quint16 vid, quint16 pid) override
    {
        QList<HidDeviceRecord> out;
        for (const HidDeviceRecord& r : records)
            if ((!vid || r.vendorId == vid) && (!pid || r.productId == pid))
                out << r;
        return out;
    }
    Handle open(const QByteArray&) override { return nullptr; }
    int setNonblocking(Handle, int) override { return -1; }
    int sendFeatureReport(Handle, const unsigned char*, size_t) override { return -1; }
    int getFeatureReport(Handle, unsigned char*, size_t) override { return -1; }
    int write(Handle, const unsigned char*, size_t) override { return -1; }
    int read(Handle, unsigned char*, size_t) override { return -1; }
    int readTimeout(Handle, unsigned char*, size_t, int) override { return -1; }
    void close(Handle) override {}
};

#pragma once
#include "device/hid_port.h"

// The real thing: hidapi on hidraw.
class HidapiPort : public HidPort {
public:
    static HidapiPort& instance();

    QList<HidDeviceRecord> enumerate(quint16 vid, quint16 pid) override;
    Handle open(const QByteArray& path) override;
    int openErrno() const override { return m_openErrno; }
    int setNonblocking(Handle h, int nonblock) override;
    int sendFeatureReport(Handle h, const unsigned char* data, size_t length) override;
    int getFeatureReport(Handle h, unsigned char* data, size_t length) override;
    int write(Handle h, const unsigned char* data, size_t length) override;
    int read(Handle h, unsigned char* data, size_t length) override;
    int readTimeout(Handle h, unsigned char* data, size_t length, int milliseconds) override;
    void close(Handle h) override;

    // Longest piece of a GUI-thread read between two rounds of event handling.
    static constexpr int SliceMs = 16;

private:
    HidapiPort();
    int m_openErrno = 0;
};

#pragma once
#include <QList>
#include <QSharedPointer>
#include <QString>

// One supported USB device: how to recognise it and, once detection has run,
// the hidapi paths of its command and event interfaces.
struct DeviceEntry {
    int type = -1;            // 0 keyboard, 1 mouse (informational)
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0;    // command interface
    quint16 usage = 0;
    quint16 usagePage2 = 0;   // event interface
    quint16 usage2 = 0;
    int reportLength = 32;    // L: payload bytes per data report
    static constexpr int MaxReportLength = 64;
    static bool validReportLength(int length) { return length >= 1 && length <= MaxReportLength; }
    QString cmdPath;          // empty when not found or when an open failed
    QString eventPath;
};

// The device table, shared between detection and the device object.
using DeviceTable = QList<QSharedPointer<DeviceEntry>>;

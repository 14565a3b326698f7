#pragma once
#include <QObject>

// Reports that a HID device came or went. On Linux it watches the hidraw
// subsystem through libudev; on Windows the window's WM_DEVICECHANGE does
// that job and this object stays silent.
class HotplugMonitor : public QObject {
    Q_OBJECT
public:
    explicit HotplugMonitor(QObject* parent = nullptr);
    ~HotplugMonitor() override;
    bool isActive() const;

signals:
    void deviceAddedOrRemoved();

private:
    struct Private;
    Private* d;
};

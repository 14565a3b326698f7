#pragma once
#include "device/device_owner.h"
#include "device/hid_thread.h"
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <functional>

class HotplugMonitor;
class ProgramProfileSwitcher;
class QMenu;
class Ui_Controler;
class myQQuickView;

// The controller and, at the same time, the main window: it owns the device
// object, the detection timer, the window's controller with the view and
// the tray icon, and finds the mouse when it comes and goes.
class Widget : public QWidget, public DeviceOwner {
    Q_OBJECT
public:
    static constexpr int DetectionIntervalMs = 2048;
    static const char* const TrayMenuStyleSheet;

    explicit Widget(QWidget* parent = nullptr);
    ~Widget() override;

    Hid_Thread& hid() { return m_hid; }
    Ui_Controler* controller() const { return m_ui; }
    myQQuickView* view() const;
    // The tray icon, created on first use (see TrayHostWatch for why not earlier).
    QSystemTrayIcon* trayIcon();
    QMenu* trayMenu() const { return m_trayMenu; }
    // Whether the tray icon is on show. Without a tray the window is the
    // only way to the program: hiding it ends the program instead, and a
    // second start always brings it back.
    bool trayShown() const { return m_trayShown; }
    // The icon is on show and a tray holds it now (a tray host that exits
    // leaves the icon shown but nowhere to see it).
    bool trayUsable() const;
    // How often a missing tray is looked for again (a tray host may start
    // after the program, as at login).
    static constexpr int TrayRecheckMs = 5000;
    QTimer& trayRecheck() { return m_trayRecheck; }
    // Replaces QSystemTrayIcon::isSystemTrayAvailable (tests); null restores it.
    static void setTrayAvailability(std::function<bool()> check);
    // Shows the icon once a tray exists; true when it is on show.
    bool showTrayIconIfAvailable();
    // The login start: the window stays hidden while the icon is in a tray.
    // Where no tray has turned up within `patienceMs` (the session starts
    // its tray host in no fixed order), the window shows after all.
    static constexpr int TrayStartPatienceMs = 10000;
    void startInTray(int patienceMs);
    // The title bar's hide request: to the tray, or, without a tray, the
    // end of the program through its normal teardown.
    void hideToTray();
    // Tells the scene whether key recording sees the whole desktop or only
    // this window (its root property "desktopKeyCapture").
    void publishKeyCaptureScope(bool desktopWide);
    QTimer& detectionTimer() { return m_detectTimer; }
    // Makes the profile follow the program in front (started with the Widget).
    ProgramProfileSwitcher& programSwitcher() { return *m_programSwitcher; }

    // Asks the scene for "initUI", then posts the request for "run".
    void refreshUI();
    // A device came or went (udev, WM_DEVICECHANGE): detection runs once the
    // burst settles, unless the listener is watching the mouse.
    void deviceChangeNotified();
    // The process-wide device-connected flag.
    static bool deviceConnected();

    // Stops watching the system's hot-plug notices (halcyon-sim and the
    // demo, whose mouse notifies by itself).
    void stopSystemHotplug();
    // Replaces starting the real detection timer (halcyon-sim runs it in
    // virtual time); null restores the timer.
    void setDetectionTimerHook(std::function<void()> restart) { m_timerHook = std::move(restart); }
    // Observers of what the user would see (halcyon-sim prints them).
    std::function<void(const QString& title, const QString& text)> onTrayMessage;
    std::function<void()> onViewDisabled;

    // The capture and copy-data callbacks; `context` is the Widget.
    static void keyboardCallback(int usage, bool isDown, void* context);
    static void mouseCallback(int code, bool isDown, int x, int y, void* context);
    static void copyDataCallback(quint64 dwData, quint32 cbData, const char* data, size_t available,
                                 void* context);

    // DeviceOwner
    QString controllerFamily() const override;
    void deliverCurrentDpi(int stage) override;
    void showTrayMessage(const QString& title, const QString& text) override;
    void disableView() override;
    void deviceNotAccessible(const QString& path) override;
    void deviceUnreachable(const QString& reason) override;

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();
    void receiveMessage(QString message);

protected:
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void createTrayIcon();
    // Tray click, the tray menu's first entry: the window comes back.
    void showFromTray();
    // Tells the scene whether a mouse is there (its root property
    // "deviceConnected", drawn as the "not connected" notice).
    void publishConnection(bool connected);
    void showBalloon(const QString& title, const QString& text);
    void restartDetectionTimer();
    // The platform's way of posting a restore request to this window
    // (WM_SYSCOMMAND/SC_RESTORE on Windows).
    void postRestoreRequest();
    void restoreWindow();

    QTimer m_detectTimer;
    Hid_Thread m_hid;
    Ui_Controler* m_ui = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_showAction = nullptr;
    QTimer m_trayRecheck;
    bool m_trayShown = false;
    HotplugMonitor* m_hotplug = nullptr;
    ProgramProfileSwitcher* m_programSwitcher = nullptr;
    std::function<void()> m_timerHook;
    bool m_accessReported = false;
    bool m_detectionDeferred = false;  // came due during a transfer  // the permission problem is told once per connect
};

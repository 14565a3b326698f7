#include "app/widget.h"
#include "settings/write_failures.h"
#include "settings/write_leftovers.h"
#include "app/autostart.h"
#include "app/copy_data.h"
#include "app/desktop_notifier.h"
#include "app/hotplug_monitor.h"
#include "app/myqquickview.h"
#include "app/program_profile_switcher.h"
#include "app/ui_controler.h"
#include "app/user_dialogs.h"
#include "app/user_event.h"
#include "device/device_table.h"
#include "features/device_table_file.h"
#include "app/notice_texts.h"
#include "app/tray_host.h"
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QIcon>
#include <QMenu>
#include <QQuickItem>
#include <QSignalBlocker>

namespace {
bool g_deviceConnected = false;

std::function<bool()>& trayAvailability()
{
    static std::function<bool()> check;
    return check;
}

// Before the icon exists, Qt's tray code is not asked (see TrayHostWatch);
// once it does, Qt's answer is about the kind of tray the icon went to.
bool trayAvailable(bool iconCreated)
{
    if (trayAvailability())
        return trayAvailability()();
    return iconCreated ? QSystemTrayIcon::isSystemTrayAvailable() : TrayHostWatch::present();
}
} // namespace

void Widget::setTrayAvailability(std::function<bool()> check)
{
    trayAvailability() = std::move(check);
}

const char* const Widget::TrayMenuStyleSheet =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, 40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";

Widget::Widget(QWidget* parent) : QWidget(parent)
{
    g_deviceConnected = false;
    // Before any settings file is opened: a killed earlier run may have left
    // temporary and lock files, and a read-only data folder must be told.
    removeWriteLeftovers(QStringLiteral("./modules"));
    checkDataFolderWritable(QStringLiteral("./modules"));
    // The program lives in the tray: closing some other window (a warning
    // box while this one is hidden) must not end it. Closing this window
    // does, through closeEvent.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_hid.owner = this;
    m_ui = new Ui_Controler();
    m_ui->setupUi(this, &m_hid);
    m_ui->view()->setDevice(&m_hid);
    // A warning box opened inside a transfer would stall it: failed writes
    // are told once the transfer is over.
    WriteFailures::setHold([this] { return m_hid.transferInProgress(); });
    connect(&m_hid, &Hid_Thread::transferEnded, this, [] { WriteFailures::deliverHeld(); });
    m_hid.setAlwaysSendAll(m_ui->view()->config().traits().alwaysSendAll);
    m_detectTimer.setInterval(DetectionIntervalMs);
    m_detectTimer.setSingleShot(true);
    connect(&m_detectTimer, &QTimer::timeout, this, &Widget::checkDevice);
    // A detection that came due during a transfer runs once it has ended.
    connect(&m_hid, &Hid_Thread::transferEnded, this, [this] {
        if (m_detectionDeferred && !m_hid.transferInProgress()) {
            m_detectionDeferred = false;
            checkDevice();
        }
    }, Qt::QueuedConnection);
    createTrayIcon();
    m_hotplug = new HotplugMonitor(this);
    connect(m_hotplug, &HotplugMonitor::deviceAddedOrRemoved, this, &Widget::deviceChangeNotified);
    m_programSwitcher = new ProgramProfileSwitcher(*this);
    m_programSwitcher->start();
}

Widget::~Widget()
{
    WriteFailures::setHold({});
    // The listener uses the device object; it must have ended first.
    m_hid.hidStopListen();
    m_hid.waitListenerEnded();
    m_ui->deleteLater();
}

myQQuickView* Widget::view() const
{
    return m_ui ? m_ui->view() : nullptr;
}

bool Widget::deviceConnected()
{
    return g_deviceConnected;
}

void Widget::createTrayIcon()
{
    m_showAction = new QAction(showWindowMenuText(), this);
    connect(m_showAction, &QAction::triggered, this, &Widget::showFromTray);
    auto* quit = new QAction(tr("Quit (&Q)"), this);
    connect(quit, &QAction::triggered, this, &Widget::exitSYS);
    m_trayMenu = new QMenu(this);
    m_trayMenu->addAction(m_showAction);
    // The language may have changed since the menu was last shown.
    connect(m_trayMenu, &QMenu::aboutToShow, this, [this] { m_showAction->setText(showWindowMenuText()); });
#ifdef Q_OS_LINUX
    // Desktops start tray programs through an autostart entry; offer it here,
    // where a user looks for it.
    auto* autostart = new QAction(tr("Start with the desktop"), this);
    autostart->setCheckable(true);
    autostart->setChecked(Autostart::isEnabled());
    connect(autostart, &QAction::toggled, this, [autostart](bool on) {
        if (!Autostart::setEnabled(on, QCoreApplication::applicationFilePath())) {
            qDebug() << "Cannot change" << Autostart::entryPath();
            const QSignalBlocker block(autostart);
            autostart->setChecked(Autostart::isEnabled());
        }
    });
    m_trayMenu->addAction(autostart);
#endif
    m_trayMenu->addAction(quit);
    m_trayMenu->setStyleSheet(QString::fromLatin1(TrayMenuStyleSheet));
    m_trayRecheck.setInterval(TrayRecheckMs);
    connect(&m_trayRecheck, &QTimer::timeout, this, &Widget::showTrayIconIfAvailable);
    // A StatusNotifier host that starts later is seen as it registers.
    connect(new TrayHostWatch(this), &TrayHostWatch::mayHaveAppeared, this, &Widget::showTrayIconIfAvailable);
    if (!showTrayIconIfAvailable()) {
        static bool logged = false;
        if (!logged) {
            logged = true;
            qDebug() << "No system tray: running without the tray icon";
        }
        m_trayRecheck.start();
    }
}

QSystemTrayIcon* Widget::trayIcon()
{
    if (!m_trayIcon) {
        m_trayIcon = new QSystemTrayIcon(this);
        m_trayIcon->setContextMenu(m_trayMenu);
        m_trayIcon->setToolTip(QStringLiteral("HALCYON GAMING MOUSE"));
        m_trayIcon->setIcon(QIcon(QStringLiteral("./modules/img/logo.ico")));
        connect(m_trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    }
    return m_trayIcon;
}

bool Widget::showTrayIconIfAvailable()
{
    if (m_trayShown)
        return true;
    if (!trayAvailable(m_trayIcon))
        return false;
    m_trayRecheck.stop();
    trayIcon()->setVisible(true);
    m_trayShown = true;
    qDebug() << "System tray found: showing the tray icon";
    return true;
}

bool Widget::trayUsable() const
{
    return m_trayShown && trayAvailable(m_trayIcon);
}

void Widget::showFromTray()
{
    if (g_deviceConnected)
        postRestoreRequest();
    showNormal();
}

void Widget::startInTray(int patienceMs)
{
    if (trayUsable())
        return;
    QTimer::singleShot(patienceMs, this, [this] {
        if (!trayUsable())
            showNormal();
    });
}

void Widget::hideToTray()
{
    if (trayUsable())
        setVisible(false);
    else
        close();
}

void Widget::publishKeyCaptureScope(bool desktopWide)
{
    if (QObject* root = view() ? view()->rootObject() : nullptr)
        root->setProperty("desktopKeyCapture", desktopWide);
}

void Widget::publishConnection(bool connected)
{
    if (QObject* root = view() ? view()->rootObject() : nullptr)
        root->setProperty("deviceConnected", connected);
}

void Widget::showBalloon(const QString& title, const QString& text)
{
    if (onTrayMessage)
        onTrayMessage(title, text);
    DesktopNotifier& notifier = DesktopNotifier::current();
    if (trayUsable() && !notifier.serviceAvailable())
        trayIcon()->showMessage(title, text, QSystemTrayIcon::Information, 10000);
    else
        notifier.notify(title, text, 10000);
}

void Widget::checkDevice()
{
    // The pacing sleeps of a command handle events, so the detection timer
    // can fire inside a transfer. Detection replaces the device table, frees
    // the token and sends commands of its own: it waits for the transfer.
    if (m_hid.transferInProgress()) {
        m_detectionDeferred = true;
        return;
    }
    m_accessReported = false;
    DeviceTable table = readDeviceTable(QStringLiteral("./modules/setting/apConfig.bin"));
    locateInterfaces(*m_hid.port(), table);
    m_hid.devices = table;
    const int j = firstConnectedEntry(table);
    if (j >= 0) {
        m_hid.curDevice = j;
        qDebug() << "Device Connect";
        view()->clearHidBusy();
        g_deviceConnected = true;
        publishConnection(true);
        showBalloon(QStringLiteral("Info"), QStringLiteral("Detect Device"));
        m_hid.hidStartListen(j);
        if (view()->config().traits().is560())
            view()->features().readProfileImages();
        view()->setEnabled(true);
        refreshUI();
        return;
    }
    qDebug() << "Device DisConnect";
    g_deviceConnected = false;
    publishConnection(false);
    refreshUI();
}

void Widget::refreshUI()
{
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::RunScene));
}

void Widget::customEvent(QEvent* event)
{
    if (event->type() == QEvent::User && static_cast<UserEvent*>(event)->payload() == UserEvent::RunScene)
        view()->runUI();
}

void Widget::stopSystemHotplug()
{
    delete m_hotplug;
    m_hotplug = nullptr;
}

void Widget::closeEvent(QCloseEvent* event)
{
    event->accept();
    exitSYS();
}

void Widget::deviceChangeNotified()
{
    if (!m_hid.listening)
        restartDetectionTimer();
}

void Widget::restartDetectionTimer()
{
    if (m_timerHook)
        m_timerHook();
    else
        m_detectTimer.start();
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    // Trays that speak StatusNotifierItem (KDE Plasma, GNOME's AppIndicator)
    // report every click as Trigger and never as DoubleClick.
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
        showFromTray();
}

void Widget::receiveMessage(QString)
{
    qDebug() << "------------------------- receiveMessage---------------------";
    // Without a tray the window is the only way back to the program.
    if (g_deviceConnected || !trayUsable())
        postRestoreRequest();
}

void Widget::exitSYS()
{
    m_hid.hidStopListen();
    QCoreApplication::exit(0);
}

void Widget::restoreWindow()
{
    setVisible(true);
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

QString Widget::controllerFamily() const
{
    return view() ? view()->config().traits().icType : QString();
}

void Widget::deliverCurrentDpi(int stage)
{
    if (view())
        view()->setCurrentDPI(stage);
}

void Widget::showTrayMessage(const QString& title, const QString& text)
{
    showBalloon(title, text);
}

void Widget::deviceNotAccessible(const QString& path)
{
    // Without the udev rule the mouse is there but cannot be opened; say so
    // instead of behaving as if no mouse were plugged in.
    if (m_accessReported)
        return;
    m_accessReported = true;
    qDebug().noquote() << "Cannot open" << path
                       << "(permission denied): install the udev rule 70-halcyon.rules and reload udev";
    showBalloon(QStringLiteral("Info"), accessDeniedNotice());
}

void Widget::deviceUnreachable(const QString& reason)
{
    // Commands cannot reach the mouse: say so, and show it as gone, as an
    // unplug does, until the next detection finds it again.
    showBalloon(QStringLiteral("Info"), QStringLiteral("Cannot reach the mouse: %1").arg(reason));
    m_hid.hidStopListen();
    g_deviceConnected = false;
    disableView();
}

void Widget::disableView()
{
    if (onViewDisabled)
        onViewDisabled();
    publishConnection(false);
    if (view())
        view()->setEnabled(false);
}

void Widget::keyboardCallback(int usage, bool isDown, void* context)
{
    if (auto* w = static_cast<Widget*>(context); w && w->view())
        w->view()->forwardKeyboard(usage, isDown);
}

void Widget::mouseCallback(int code, bool isDown, int x, int y, void* context)
{
    if (auto* w = static_cast<Widget*>(context); w && w->view())
        w->view()->forwardMouse(code, isDown, x, y);
}

void Widget::copyDataCallback(quint64 dwData, quint32 cbData, const char* data, size_t available,
                              void* context)
{
    auto* w = static_cast<Widget*>(context);
    if (!w)
        return;
    const std::optional<QString> text = warningTextFromCopyData(dwData, cbData, data, available);
    if (text)
        UserDialogs::current().warning(nullptr, w->windowTitle(), *text);
}

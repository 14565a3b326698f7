#include "app/ui_controler.h"
#include "app/myqquickview.h"
#include "app/root_call.h"
#include "app/theme_icon_provider.h"
#include "app/widget.h"
#include "app/window_rules.h"
#include "settings/ini_format.h"
#include <QDebug>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QScreen>
#include <QWindow>

namespace {
QUrl& sceneOverride()
{
    static QUrl url;
    return url;
}
} // namespace

Ui_Controler::Ui_Controler(QObject* parent) : QObject(parent)
{
}

void Ui_Controler::setSceneOverride(const QUrl& url)
{
    sceneOverride() = url;
}

QSize Ui_Controler::screenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1280, 720);
}

void Ui_Controler::setupUi(QWidget* window, QObject* device)
{
    qDebug() << "=====================Ui_Controler - setupUi================================ ";
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Widget"));
    m_window = window;
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground);
    // Only the window itself is transparent: a bare rule would reach every
    // child widget, file dialogs included, and paint them black.
    window->setStyleSheet(QStringLiteral("#%1 { background: transparent; }").arg(window->objectName()));

    m_view = new myQQuickView(window);
    // A press or release ends a move the compositor was doing.
    m_view->installEventFilter(this);
    m_view->setObjectName(QStringLiteral("ui_View"));
    // The view takes the size of the scene's root item, which setScreenRect sets.
    m_view->setResizeMode(QQuickWidget::SizeViewToRootObject);
    m_view->setClearColor(Qt::transparent);
    m_view->setAttribute(Qt::WA_AlwaysStackOnTop);
    m_view->engine()->addImageProvider(QStringLiteral("theme"), new ThemeIconProvider);
    m_view->setSource(sceneOverride().isEmpty() ? sceneUrl() : sceneOverride());
    // Set after loading: the scene uses them from "initUI" on.
    QQmlContext* context = m_view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), m_view);
    context->setContextProperty(QStringLiteral("hid"), device);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);

    m_isMaximized = false;
    const QSize screen = screenSize();
    const QSize size = windowSizeForScreen(screen);
    qDebug() << "screen W,H = " << screen.width() << screen.height();
    window->resize(size);
    callRootFunction(m_view, "setScreenRect", {size.width(), size.height(), false}, RootDelivery::Direct);

    const auto config = openIni(QStringLiteral("./modules/setting/apConfig.bin"));
    window->setWindowTitle(config->value(QStringLiteral("common/name"), QString()).toString());
}

void Ui_Controler::onMinimize()
{
    if (m_window)
        m_window->showMinimized();
}

void Ui_Controler::onMaxRestore()
{
    if (!m_window)
        return;
    if (m_isMaximized) {
        m_window->showNormal();
        m_isMaximized = false;
        const QSize size = windowSizeForScreen(screenSize());
        callRootFunction(m_view, "setScreenRect", {size.width(), size.height(), false}, RootDelivery::Direct);
    } else {
        m_window->showMaximized();
        m_isMaximized = true;
        const QSize screen = screenSize();
        callRootFunction(m_view, "setScreenRect", {screen.width(), screen.height(), true}, RootDelivery::Direct);
    }
}

void Ui_Controler::onHide()
{
    if (auto* widget = qobject_cast<Widget*>(m_window.data()))
        widget->hideToTray();
    else if (m_window)
        m_window->setVisible(false);
}

void Ui_Controler::onClose()
{
    if (m_window)
        m_window->close();
}

void Ui_Controler::onXChanged(int x)
{
    dragBy(x, 0);
}

void Ui_Controler::onYChanged(int y)
{
    dragBy(0, y);
}

void Ui_Controler::dragBy(int dx, int dy)
{
    if (!m_window || m_systemMove || (dx == 0 && dy == 0))
        return;
    // The scene reports the pointer's offset from where the drag began.
    // Handing the drag to the compositor works on Wayland, where a window
    // cannot place itself, and on X11 window managers that support it.
    QWindow* handle = m_window->windowHandle();
    if (handle && handle->startSystemMove()) {
        m_systemMove = true;
        return;
    }
    m_window->move(m_window->x() + dx, m_window->y() + dy);
}

bool Ui_Controler::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)
        m_systemMove = false;
    return QObject::eventFilter(watched, event);
}

void Ui_Controler::setBusy(int busyTime)
{
    callRootFunction(m_view, "setProtectUI", {busyTime}, RootDelivery::Direct);
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}

void Ui_Controler::test(int x, int y)
{
    if (m_window && m_view)
        m_window->resize(x + m_view->width(), y + m_view->height());
}

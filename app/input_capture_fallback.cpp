#include "app/input_capture_fallback.h"
#include "app/evdev_scan_codes.h"
#include "app/input_capture.h"
#include <QApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace InputCapture {

namespace {
// The native scan code of a key event as a set-1 scan code.
Set1Key set1FromNative(quint32 native)
{
#ifdef Q_OS_WIN
    return {uint8_t(native & 0xFF), (native & 0x100) != 0};
#else
    // xcb and Wayland report the X keycode: evdev code + 8.
    return native >= 8 ? evdevToSet1(native - 8) : Set1Key{};
#endif
}

class WindowFallback : public QObject {
public:
    explicit WindowFallback(QWidget* window) : m_window(window) {}

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type t = event->type();
        if (t != QEvent::KeyPress && t != QEvent::KeyRelease && t != QEvent::MouseButtonPress
            && t != QEvent::MouseButtonRelease)
            return false;
        if (!m_window || !receiver->isWidgetType()
            || static_cast<QWidget*>(receiver)->window() != m_window)
            return false;
        if (t == QEvent::KeyPress || t == QEvent::KeyRelease) {
            const auto* k = static_cast<QKeyEvent*>(event);
            const Set1Key key = set1FromNative(k->nativeScanCode());
            if (key.scan != 0)
                keyEvent(key.scan, key.extended, altDown(), t == QEvent::KeyPress);
            return false;
        }
        const auto* m = static_cast<QMouseEvent*>(event);
        int index = 0;
        switch (m->button()) {
        case Qt::LeftButton: index = 0; break;
        case Qt::RightButton: index = 1; break;
        case Qt::MiddleButton: index = 2; break;
        default: return false;
        }
        // A press that a child leaves unaccepted reaches its parent as a
        // copy; a button cannot go down twice, so the copy is dropped. The
        // double-click event that follows a second press is not passed here
        // at all, as the hooks ignore the double-click message.
        const bool isDown = t == QEvent::MouseButtonPress;
        if (m_buttonDown[index] == isDown)
            return false;
        m_buttonDown[index] = isDown;
        const QPoint p = m->globalPosition().toPoint();
        mouseButton(0xF0 + index, isDown, p.x(), p.y());
        return false;
    }

private:
    QPointer<QWidget> m_window;
    bool m_buttonDown[3] = {};  // left, right, middle
};

WindowFallback* g_fallback = nullptr;
} // namespace

void useWindowFallback(QWidget* window)
{
    static bool logged = false;
    if (!logged) {
        logged = true;
        qDebug() << "Desktop-wide input capture unavailable: only input to the window is seen";
    }
    stopWindowFallback();
    g_fallback = new WindowFallback(window);
    qApp->installEventFilter(g_fallback);
}

void stopWindowFallback()
{
    if (!g_fallback)
        return;
    qApp->removeEventFilter(g_fallback);
    delete g_fallback;
    g_fallback = nullptr;
}

} // namespace InputCapture

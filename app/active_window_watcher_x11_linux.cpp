#include "app/active_window_watcher.h"
#include "app/active_window_watchers.h"
#include "app/process_names_linux.h"

#ifdef HALCYON_HAVE_XCB
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

// Follows the root window's _NET_ACTIVE_WINDOW, which the window manager
// keeps, on a connection of its own: the property's change events arrive on
// its socket, read when it has something (no polling).
class X11WindowWatcher : public ActiveWindowWatcher {
public:
    explicit X11WindowWatcher(QObject* parent) : ActiveWindowWatcher(parent) {}
    ~X11WindowWatcher() override
    {
        delete m_notifier;
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    QString unavailableReason() const override
    {
        if (!const_cast<X11WindowWatcher*>(this)->connected())
            return QStringLiteral("Cannot reach the X server.");
        if (!windowManagerTells())
            return QStringLiteral("This window manager does not tell programs which window is in front.");
        return {};
    }

    void start() override
    {
        if (!connected())
            return;
        m_running = true;
        m_lastActive = XCB_WINDOW_NONE;
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_notifier->setEnabled(true);
        // The window in front now, once the caller has connected.
        QTimer::singleShot(0, this, [this] {
            if (m_running)
                reportActive();
        });
    }

    void stop() override
    {
        m_running = false;
        // No more change events; what is on its way is read and dropped.
        if (m_connection && connected()) {
            const uint32_t mask = XCB_EVENT_MASK_NO_EVENT;
            xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
            xcb_flush(m_connection);
        }
    }

    QVector<WindowProgram> programsWithWindows() const override
    {
        auto* self = const_cast<X11WindowWatcher*>(this);
        QVector<WindowProgram> programs;
        if (!self->connected())
            return programs;
        for (xcb_window_t window : self->windowList(m_atoms[ClientList])) {
            WindowProgram program = self->programOf(window);
            if (program.executable.isEmpty() && program.className.isEmpty())
                continue;
            const bool listed = std::any_of(programs.cbegin(), programs.cend(), [&](const WindowProgram& p) {
                return p.executable == program.executable && p.className == program.className;
            });
            if (listed)
                continue;
            program.title = self->textProperty(window, m_atoms[WmNameUtf8], m_atoms[Utf8String]);
            if (program.title.isEmpty())
                program.title = self->textProperty(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
            const QString icon = program.className.toLower();
            if (!icon.isEmpty() && QIcon::hasThemeIcon(icon))
                program.iconName = icon;
            programs << program;
        }
        return programs;
    }

private:
    enum Atom { ActiveWindow, ClientList, WmPid, WmNameUtf8, Utf8String, Supported, AtomCount };

    bool connected()
    {
        if (m_connection)
            return !xcb_connection_has_error(m_connection);
        if (m_triedToConnect)
            return false;
        m_triedToConnect = true;
        int screenNumber = 0;
        xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection)) {
            xcb_disconnect(connection);
            return false;
        }
        m_connection = connection;
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; i < screenNumber && screens.rem; ++i)
            xcb_screen_next(&screens);
        m_root = screens.data->root;
        static const char* const names[AtomCount] = {"_NET_ACTIVE_WINDOW", "_NET_CLIENT_LIST", "_NET_WM_PID",
                                                     "_NET_WM_NAME", "UTF8_STRING", "_NET_SUPPORTED"};
        xcb_intern_atom_cookie_t cookies[AtomCount];
        for (int i = 0; i < AtomCount; ++i)
            cookies[i] = xcb_intern_atom(connection, 0, uint16_t(strlen(names[i])), names[i]);
        for (int i = 0; i < AtomCount; ++i) {
            XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookies[i], nullptr));
            m_atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        }
        m_notifier = new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read);
        m_notifier->setEnabled(false);
        QObject::connect(m_notifier, &QSocketNotifier::activated, this, [this] { readEvents(); });
        return true;
    }

    // Whether the window manager announces _NET_ACTIVE_WINDOW.
    bool windowManagerTells() const
    {
        auto* self = const_cast<X11WindowWatcher*>(this);
        const QVector<uint32_t> supported = self->cardinals(m_root, m_atoms[Supported], XCB_ATOM_ATOM);
        return supported.contains(m_atoms[ActiveWindow]);
    }

    void readEvents()
    {
        // Reading a property may queue further events: read until none is left.
        for (;;) {
            bool activeChanged = false;
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                    const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
                    activeChanged |= notify->window == m_root && notify->atom == m_atoms[ActiveWindow];
                }
                std::free(event);
            }
            if (xcb_connection_has_error(m_connection)) {
                m_notifier->setEnabled(false);
                return;
            }
            if (!activeChanged || !m_running)
                return;
            reportActive();
        }
    }

    void reportActive()
    {
        const QVector<uint32_t> active = cardinals(m_root, m_atoms[ActiveWindow], XCB_ATOM_WINDOW);
        const xcb_window_t window = active.value(0, XCB_WINDOW_NONE);
        if (window == m_lastActive)
            return;
        m_lastActive = window;
        // No window in front (the desktop): nothing to follow.
        if (window != XCB_WINDOW_NONE)
            emit activated(programOf(window));
    }

    WindowProgram programOf(xcb_window_t window)
    {
        WindowProgram program;
        program.pid = cardinals(window, m_atoms[WmPid], XCB_ATOM_CARDINAL).value(0, 0);
        program.executable = executableNameOf(program.pid);
        // WM_CLASS: the instance and the class name, each ending in NUL.
        const QList<QByteArray> parts = property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0');
        program.classInstance = QString::fromLocal8Bit(parts.value(0));
        program.className = QString::fromLocal8Bit(parts.value(1));
        return program;
    }

    QVector<xcb_window_t> windowList(xcb_atom_t atom) { return cardinals(m_root, atom, XCB_ATOM_WINDOW); }

    // A property's bytes; empty when the window is gone or has none.
    QByteArray property(xcb_window_t window, xcb_atom_t atom, xcb_atom_t type)
    {
        if (atom == XCB_ATOM_NONE)
            return {};
        const xcb_get_property_cookie_t cookie = xcb_get_property(m_connection, 0, window, atom, type, 0, 4096);
        XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection, cookie, nullptr));
        if (!reply || reply->type != type)
            return {};
        return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()) * (reply->format / 8));
    }

    QVector<uint32_t> cardinals(xcb_window_t window, xcb_atom_t atom, xcb_atom_t type)
    {
        const QByteArray bytes = property(window, atom, type);
        QVector<uint32_t> values(bytes.size() / 4);
        memcpy(values.data(), bytes.constData(), size_t(values.size()) * 4);
        return values;
    }

    QString textProperty(xcb_window_t window, xcb_atom_t atom, xcb_atom_t type)
    {
        const QByteArray bytes = property(window, atom, type);
        return type == XCB_ATOM_STRING ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
    }

    xcb_connection_t* m_connection = nullptr;
    bool m_triedToConnect = false;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_atom_t m_atoms[AtomCount] = {};
    QSocketNotifier* m_notifier = nullptr;
    bool m_running = false;
    xcb_window_t m_lastActive = XCB_WINDOW_NONE;
};

} // namespace

ActiveWindowWatcher* createX11WindowWatcher(QObject* parent)
{
    return new X11WindowWatcher(parent);
}

#else

ActiveWindowWatcher* createX11WindowWatcher(QObject* parent)
{
    return createUnavailableWindowWatcher(QStringLiteral("This build cannot follow windows on X11."), parent);
}

#endif

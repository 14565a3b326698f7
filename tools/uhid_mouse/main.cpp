// halcyon-uhid-mouse: the virtual mouse as a kernel HID device. It needs
// /dev/uhid (root, and the uhid module) and is driven line by line on
// standard input; every command is answered with "ok" or "error REASON" on
// standard output, after any lines it prints:
//
//   create split|combined 553|560   plug in (two devices, or one with both collections)
//   event 06 07 00 03               send an input report on the event collection
//   input 06 07 00 03               send these bytes as an input report, as they are
//   profile 2 00 11 22 ...          what the firmware holds as on-device profile 2
//   log                             the requests received since the last log
//   dump                            the firmware state as one JSON line
//   destroy                         unplug
//   quit
#include "uhid_mouse.h"
#include <QJsonDocument>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <poll.h>
#include <unistd.h>

namespace {
void reply(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class Control {
public:
    // Handles one command line; false ends the program.
    bool command(const QString& line)
    {
        const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            return true;
        const QString& verb = words.first();
        if (verb == QLatin1String("quit"))
            return false;
        if (verb == QLatin1String("create")) {
            create(words);
        } else if (verb == QLatin1String("event") || verb == QLatin1String("input")) {
            if (!m_mouse)
                return fail("not plugged");
            const QByteArray report = QByteArray::fromHex(words.mid(1).join(QString()).toLatin1());
            if (verb == QLatin1String("event"))
                m_mouse->sendEvent(report);
            else
                m_mouse->sendRawInput(report);
            reply(QStringLiteral("ok"));
        } else if (verb == QLatin1String("profile")) {
            if (!m_mouse || words.size() < 2)
                return fail("usage: profile N BYTES (plugged)");
            m_mouse->firmware().state().profiles[words[1].toInt()] =
                QByteArray::fromHex(words.mid(2).join(QString()).toLatin1()).leftJustified(128, '\0', true);
            reply(QStringLiteral("ok"));
        } else if (verb == QLatin1String("log")) {
            if (m_mouse) {
                // A write returns once the kernel has queued its request;
                // read everything queued so far before answering.
                m_mouse->handlePending();
                for (const QString& entry : m_mouse->takeLog())
                    reply(entry);
            }
            reply(QStringLiteral("ok"));
        } else if (verb == QLatin1String("dump")) {
            if (!m_mouse)
                return fail("not plugged");
            m_mouse->handlePending();
            reply(QString::fromUtf8(
                QJsonDocument(m_mouse->firmware().dump()).toJson(QJsonDocument::Compact)));
            reply(QStringLiteral("ok"));
        } else if (verb == QLatin1String("destroy")) {
            m_mouse.reset();
            reply(QStringLiteral("ok"));
        } else {
            return fail("unknown command");
        }
        return true;
    }

    UhidMouse* mouse() const { return m_mouse.get(); }

private:
    bool fail(const char* reason)
    {
        reply(QStringLiteral("error ") + QLatin1String(reason));
        return true;
    }

    void create(const QStringList& words)
    {
        if (words.size() != 3
            || (words[1] != QLatin1String("split") && words[1] != QLatin1String("combined"))
            || (words[2] != QLatin1String("553") && words[2] != QLatin1String("560"))) {
            fail("usage: create split|combined 553|560");
            return;
        }
        m_mouse.reset();
        const auto layout = words[1] == QLatin1String("split") ? UhidMouse::Layout::Split
                                                               : UhidMouse::Layout::Combined;
        const auto family = words[2] == QLatin1String("560") ? VirtualFirmware::Family::F560
                                                             : VirtualFirmware::Family::F553;
        auto mouse = std::make_unique<UhidMouse>(layout, family);
        QString error;
        if (!mouse->create(&error)) {
            reply(QStringLiteral("error ") + error);
            return;
        }
        m_mouse = std::move(mouse);
        reply(QStringLiteral("ok"));
    }

    std::unique_ptr<UhidMouse> m_mouse;
};
} // namespace

int main()
{
    Control control;
    QByteArray input;
    for (;;) {
        std::vector<pollfd> fds{{STDIN_FILENO, POLLIN, 0}};
        if (UhidMouse* mouse = control.mouse())
            for (int fd : mouse->fds())
                fds.push_back({fd, POLLIN, 0});
        const int timeout = control.mouse() ? control.mouse()->msUntilDelivery() : -1;
        if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR)
            return 1;
        if (UhidMouse* mouse = control.mouse())
            mouse->handlePending();
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            char buffer[4096];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0)
                return 0;  // the controlling side has gone: unplug and end
            input.append(buffer, int(n));
            int eol;
            while ((eol = input.indexOf('\n')) >= 0) {
                const QString line = QString::fromUtf8(input.left(eol));
                input.remove(0, eol + 1);
                if (!control.command(line))
                    return 0;
            }
        }
    }
}

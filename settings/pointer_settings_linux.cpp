// Which pointer settings a Linux session has: GNOME's and KDE Plasma's own
// (they keep them across sessions and apply them under Wayland too),
// otherwise X11's.
#include "settings/pointer_backends_linux.h"
#include <QDir>
#include <QStandardPaths>

PointerDesktop pointerDesktopFrom(const QString& xdgCurrentDesktop)
{
    for (const QString& name : xdgCurrentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (name.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0)
            return PointerDesktop::Gnome;
        if (name.compare(QLatin1String("KDE"), Qt::CaseInsensitive) == 0)
            return PointerDesktop::Kde;
    }
    return PointerDesktop::Other;
}

PointerPlatform& PointerPlatform::system()
{
    static const std::unique_ptr<PointerPlatform> platform = [] {
        switch (pointerDesktopFrom(qEnvironmentVariable("XDG_CURRENT_DESKTOP"))) {
        case PointerDesktop::Gnome:
            return makeGnomePointerPlatform();
        case PointerDesktop::Kde:
            return makeKdePointerPlatform(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                                          QDBusConnection::sessionBus());
        case PointerDesktop::Other:
            break;
        }
        return makeX11PointerPlatform();
    }();
    return *platform;
}

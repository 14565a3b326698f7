// Pointer settings on KDE Plasma: its own configuration files, then the
// change notices its programs listen to. Pointer acceleration lives in
// kcminputrc ("[Mouse]" for X11 sessions, one "[Libinput]..." group per
// device under Wayland); double-click interval and wheel lines in
// kdeglobals' "[KDE]" group, which every KDE and Qt program re-reads on the
// mouse settings notice. Under Wayland the compositor, KWin, applies the
// pointer acceleration: it is set on each of its pointer devices over D-Bus
// as Plasma's own settings page does.
#include "settings/kde_config_file.h"
#include "settings/pointer_backends_linux.h"
#include "settings/pointer_mapping.h"
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QHash>

namespace {

using ChangedKeys = QHash<QString, QByteArrayList>;

constexpr char KWinService[] = "org.kde.KWin";
constexpr char KWinDevices[] = "/org/kde/KWin/InputDevice";
constexpr char PropertiesInterface[] = "org.freedesktop.DBus.Properties";

// Calls fn with the reply of an asynchronous D-Bus call, if it succeeds.
// Nothing blocks: without KWin (an X11 session) nothing happens.
template <typename T, typename Fn>
void onReply(const QDBusConnection& bus, const QDBusMessage& call, Fn fn)
{
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, fn] {
        const QDBusPendingReply<QDBusVariant> reply = *watcher;
        if (reply.isValid())
            fn(qdbus_cast<T>(reply.value().variant()));
        watcher->deleteLater();
    });
}

QDBusMessage propertyGet(const QString& path, const QString& interface, const QString& name)
{
    QDBusMessage m = QDBusMessage::createMethodCall(QLatin1String(KWinService), path,
                                                   QLatin1String(PropertiesInterface), QStringLiteral("Get"));
    m << interface << name;
    return m;
}

// Every KWin input device that is a pointer gets the acceleration.
void setKWinPointerAcceleration(const QDBusConnection& bus, double value)
{
    const QString manager = QStringLiteral("org.kde.KWin.InputDeviceManager");
    onReply<QStringList>(bus, propertyGet(QLatin1String(KWinDevices), manager, QStringLiteral("devicesSysNames")),
                         [bus, value](const QStringList& names) {
        for (const QString& name : names) {
            const QString path = QLatin1String(KWinDevices) + QLatin1Char('/') + name;
            const QString device = QStringLiteral("org.kde.KWin.InputDevice");
            onReply<bool>(bus, propertyGet(path, device, QStringLiteral("pointer")),
                          [bus, path, device, value](bool isPointer) {
                if (!isPointer)
                    return;
                QDBusMessage set = QDBusMessage::createMethodCall(QLatin1String(KWinService), path,
                                                                  QLatin1String(PropertiesInterface),
                                                                  QStringLiteral("Set"));
                set << device << QStringLiteral("pointerAcceleration") << QVariant::fromValue(QDBusVariant(value));
                bus.asyncCall(set);
            });
        }
    });
}

// KGlobalSettings' change types: SettingsChanged, with the mouse category.
constexpr int KdeSettingsChanged = 3;
constexpr int KdeSettingsMouse = 0;

class KdePointerPlatform : public PointerPlatform {
public:
    KdePointerPlatform(const QString& configDir, const QDBusConnection& bus)
        : m_inputrc(configDir + QStringLiteral("/kcminputrc")),
          m_globals(configDir + QStringLiteral("/kdeglobals")), m_bus(bus), m_x11(makeX11PointerPlatform())
    {
        qDBusRegisterMetaType<QByteArrayList>();
        qDBusRegisterMetaType<ChangedKeys>();
    }

    bool setPointerSpeed(int speed) override
    {
        const double acceleration = pointerIndexOnRange(speed, -1.0, 1.0);
        const QString value = QString::number(acceleration, 'g', 3);
        bool ok = setValue(m_inputrc, QStringLiteral("Mouse"), QStringLiteral("XLbInptPointerAcceleration"), value);
        ChangedKeys changed{{QStringLiteral("Mouse"), {QByteArrayLiteral("XLbInptPointerAcceleration")}}};
        for (const QString& group : kdeConfigGroups(m_inputrc)) {
            if (!group.startsWith(QLatin1String("Libinput]")))
                continue;
            ok = setValue(m_inputrc, group, QStringLiteral("PointerAcceleration"), value) && ok;
            // The file writes a nested group as "[A][B]"; the notice names
            // it as KConfig does, its levels joined by \x1d.
            changed.insert(QString(group).replace(QStringLiteral("]["), QStringLiteral("\x1d")),
                           {QByteArrayLiteral("PointerAcceleration")});
        }
        if (!ok)
            return false;
        notifyConfigChanged(QStringLiteral("/kcminputrc"), changed);
        if (m_bus.isConnected())
            setKWinPointerAcceleration(m_bus, acceleration);
        // An X11 session applies kcminputrc only at login: set the running
        // session's pointers as well.
        if (m_x11->unavailableReason(PointerSetting::Speed).isEmpty())
            m_x11->setPointerSpeed(speed);
        return true;
    }
    bool setDoubleClickTime(uint milliseconds) override
    {
        return setGlobal(QStringLiteral("DoubleClickInterval"), QString::number(milliseconds));
    }
    bool setWheelScrollLines(uint lines) override
    {
        return setGlobal(QStringLiteral("WheelScrollLines"), QString::number(lines));
    }

    // What Plasma's settings page shows: its own defaults where the files
    // hold no value (no acceleration, 400 ms, 3 lines).
    int currentValue(PointerSetting setting) const override
    {
        bool ok = false;
        switch (setting) {
        case PointerSetting::Speed: {
            const QString v = kdeConfigValue(m_inputrc, QStringLiteral("Mouse"), QStringLiteral("XLbInptPointerAcceleration"));
            const double acceleration = v.isNull() ? 0.0 : v.toDouble(&ok);
            return v.isNull() || ok ? pointerSpeedForIndex(indexOnRange(acceleration, -1.0, 1.0)) : -1;
        }
        case PointerSetting::DoubleClickTime:
            return globalNumber(QStringLiteral("DoubleClickInterval"), 400);
        case PointerSetting::WheelLines:
            return globalNumber(QStringLiteral("WheelScrollLines"), 3);
        }
        return -1;
    }

private:
    int globalNumber(const QString& key, int byDefault) const
    {
        const QString v = kdeConfigValue(m_globals, QStringLiteral("KDE"), key);
        bool ok = false;
        const int n = v.toInt(&ok);
        return v.isNull() ? byDefault : ok ? n : -1;
    }

    static bool setValue(const QString& path, const QString& group, const QString& key, const QString& value)
    {
        return setKdeConfigValue(path, group, key, value);
    }

    bool setGlobal(const QString& key, const QString& value)
    {
        if (!setValue(m_globals, QStringLiteral("KDE"), key, value))
            return false;
        notifyConfigChanged(QStringLiteral("/kdeglobals"), {{QStringLiteral("KDE"), {key.toUtf8()}}});
        QDBusMessage legacy = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                         QStringLiteral("org.kde.KGlobalSettings"),
                                                         QStringLiteral("notifyChange"));
        legacy << KdeSettingsChanged << KdeSettingsMouse;
        m_bus.send(legacy);
        return true;
    }

    // KConfigWatcher's notice: the path names the file, the argument maps
    // each changed group to its changed keys.
    void notifyConfigChanged(const QString& path, const ChangedKeys& changed)
    {
        QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.kde.kconfig.notify"),
                                                         QStringLiteral("ConfigChanged"));
        signal << QVariant::fromValue(changed);
        m_bus.send(signal);
    }

    QString m_inputrc;
    QString m_globals;
    QDBusConnection m_bus;
    std::unique_ptr<PointerPlatform> m_x11;
};

} // namespace

std::unique_ptr<PointerPlatform> makeKdePointerPlatform(const QString& configDir, const QDBusConnection& bus)
{
    return std::make_unique<KdePointerPlatform>(configDir, bus);
}

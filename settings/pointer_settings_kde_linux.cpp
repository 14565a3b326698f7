// Pointer settings on KDE Plasma: its own configuration files, then the
// change notices its programs listen to. Pointer acceleration lives in
// kcminputrc ("[Mouse]" for X11 sessions, one "[Libinput]..." group per
// device under Wayland); double-click interval and wheel lines in
// kdeglobals' "[KDE]" group, which every KDE and Qt program re-reads on the
// mouse settings notice.
#include "settings/kde_config_file.h"
#include "settings/pointer_backends_linux.h"
#include "settings/pointer_mapping.h"
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QHash>

namespace {

using ChangedKeys = QHash<QString, QByteArrayList>;

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
        const QString value = QString::number(pointerIndexOnRange(speed, -1.0, 1.0), 'g', 3);
        bool ok = setValue(m_inputrc, QStringLiteral("Mouse"), QStringLiteral("XLbInptPointerAcceleration"), value);
        ChangedKeys changed{{QStringLiteral("Mouse"), {QByteArrayLiteral("XLbInptPointerAcceleration")}}};
        for (const QString& group : kdeConfigGroups(m_inputrc)) {
            if (!group.startsWith(QLatin1String("Libinput]")))
                continue;
            ok = setValue(m_inputrc, group, QStringLiteral("PointerAcceleration"), value) && ok;
            changed.insert(group, {QByteArrayLiteral("PointerAcceleration")});
        }
        if (!ok)
            return false;
        notifyConfigChanged(QStringLiteral("/kcminputrc"), changed);
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

private:
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

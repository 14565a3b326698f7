// Pointer settings on GNOME: the desktop's own GSettings, which GNOME's
// compositor applies to every mouse at once and keeps across sessions.
// GNOME has no setting for the lines one wheel notch scrolls.
// GIO's headers use "signals" as a name, which Qt defines as a keyword.
#undef signals
#include <gio/gio.h>
#include "settings/pointer_backends_linux.h"
#include "settings/pointer_mapping.h"
#include "settings/pointer_reasons.h"

namespace {

constexpr char MouseSchema[] = "org.gnome.desktop.peripherals.mouse";

class GnomePointerPlatform : public PointerPlatform {
public:
    GnomePointerPlatform()
    {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, MouseSchema, TRUE) : nullptr;
        if (schema) {
            m_hasSpeed = g_settings_schema_has_key(schema, "speed");
            m_hasDoubleClick = g_settings_schema_has_key(schema, "double-click");
            g_settings_schema_unref(schema);
            m_settings = g_settings_new(MouseSchema);
        }
    }
    ~GnomePointerPlatform() override
    {
        if (m_settings)
            g_object_unref(m_settings);
    }

    bool setPointerSpeed(int speed) override
    {
        if (!m_settings || !m_hasSpeed)
            return false;
        return write(g_settings_set_double(m_settings, "speed", pointerIndexOnRange(speed, -1.0, 1.0)));
    }
    bool setDoubleClickTime(uint milliseconds) override
    {
        if (!m_settings || !m_hasDoubleClick)
            return false;
        return write(g_settings_set_int(m_settings, "double-click", gint(milliseconds)));
    }
    bool setWheelScrollLines(uint) override { return false; }
    int currentValue(PointerSetting setting) const override
    {
        if (!m_settings)
            return -1;
        if (setting == PointerSetting::Speed && m_hasSpeed)
            return pointerSpeedForIndex(indexOnRange(g_settings_get_double(m_settings, "speed"), -1.0, 1.0));
        if (setting == PointerSetting::DoubleClickTime && m_hasDoubleClick)
            return g_settings_get_int(m_settings, "double-click");
        return -1;
    }

    QString unavailableReason(PointerSetting setting) const override
    {
        if (setting == PointerSetting::WheelLines)
            return pointerReasonText(PointerReason::GnomeHasNoWheelLines);
        if (!m_settings)
            return pointerReasonText(PointerReason::GnomeSettingsMissing);
        if (setting == PointerSetting::Speed && !m_hasSpeed)
            return pointerReasonText(PointerReason::NotOfferedByThisGnome);
        if (setting == PointerSetting::DoubleClickTime && !m_hasDoubleClick)
            return pointerReasonText(PointerReason::NotOfferedByThisGnome);
        return {};
    }

private:
    // GSettings writes are asynchronous; sync so the value has reached the
    // settings store (dconf) before the page reports it done.
    static bool write(gboolean accepted)
    {
        if (accepted)
            g_settings_sync();
        return accepted;
    }

    GSettings* m_settings = nullptr;
    bool m_hasSpeed = false;
    bool m_hasDoubleClick = false;
};

} // namespace

std::unique_ptr<PointerPlatform> makeGnomePointerPlatform()
{
    return std::make_unique<GnomePointerPlatform>();
}

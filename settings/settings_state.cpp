// The settings state the view keeps for its whole life.
#include "app/myqquickview.h"
#include "app/user_dialogs.h"
#include "settings/ini_format.h"
#include "settings/write_failures.h"

void myQQuickView::openSettingsState()
{
    // Settings files that could not be written are told in a warning box.
    WriteFailures::setWarner([](const QString& title, const QString& text) {
        UserDialogs::current().warning(nullptr, title, text);
    });
    m_global = openIni(QStringLiteral("./modules/setting/apConfig.bin"));
    m_default = openIni(QStringLiteral("./modules/setting/pD.bin"));
    for (int k = 0; k < 10; ++k)
        m_profiles.push_back(openIni(QStringLiteral("./modules/setting/p%1.bin").arg(k + 1)));
    m_isColorful = m_global->value(QStringLiteral("mouse/isColorful")).toBool();
    m_isGun = m_global->value(QStringLiteral("mouse/isGun")).toBool();
    m_icType = m_global->value(QStringLiteral("mouse/icType")).toString();
    m_is55328 = m_global->value(QStringLiteral("mouse/is55328")).toBool();
}

QSettings* myQQuickView::profileSettings(int slot) const
{
    if (slot < 0 || slot >= int(m_profiles.size()))
        return nullptr;
    return m_profiles[size_t(slot)].get();
}

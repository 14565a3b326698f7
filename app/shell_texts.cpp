#include "app/shell_texts.h"
#include "device/dpi_switch_texts.h"
#include "settings/language_strings.h"
#include "app/notice_texts.h"
#include "app/program_profile_switcher.h"

void adoptShellTexts(const LanguagePage& page)
{
    const QStringList& texts = page.texts;
    QStringList& tray = dpiSwitchTexts();
    for (int k = 0; k < 8 && k < texts.size(); ++k)
        if (page.present.at(k))
            tray[k] = texts.at(k);
    // After the eight DPI texts: the notice for a mouse we may not open.
    if (texts.size() > 8 && page.present.at(8) && !texts.at(8).isEmpty())
        accessDeniedNotice() = texts.at(8);
    if (texts.size() > 9 && page.present.at(9) && !texts.at(9).isEmpty())
        showWindowMenuText() = texts.at(9);
}

void adoptProgramSwitchTexts(const LanguagePage& page)
{
    // A translation must keep both places, or the notice would lose a name.
    const QString text = page.texts.value(0);
    if (!page.present.value(0) || !text.contains(QLatin1String("%1")) || !text.contains(QLatin1String("%2")))
        return;
    ProgramProfileSwitcher::noticeText() = text;
}

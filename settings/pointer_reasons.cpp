// The reasons a desktop gives for a pointer setting it does not offer, and
// their translation through the language group "pointerReasons".
#include "settings/pointer_reasons.h"
#include "settings/language_strings.h"

namespace {
// In the order of PointerReason and of the language group's entries.
const QStringList& englishReasons()
{
    static const QStringList texts = {
        QStringLiteral("Not offered by this desktop"),
        QStringLiteral("Not offered by X11"),
        QStringLiteral("GNOME has no wheel lines setting"),
        QStringLiteral("GNOME's mouse settings are not installed"),
        QStringLiteral("Not offered by this GNOME"),
    };
    return texts;
}
} // namespace

QString pointerReasonText(PointerReason reason)
{
    return englishReasons().value(int(reason));
}

QString translatedPointerReason(const QString& english, const LanguagePage& page)
{
    return page.translated(englishReasons(), english);
}

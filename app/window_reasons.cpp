// The reasons a session gives for not telling which window is in front, and
// their translation through the language group "windowReasons".
#include "app/window_reasons.h"
#include "settings/language_strings.h"

namespace {
// In the order of WindowReason and of the language group's entries.
const QStringList& englishReasons()
{
    static const QStringList texts = {
        QStringLiteral("This desktop does not tell programs which window is in front."),
        QStringLiteral("KWin cannot be reached, so the window in front is not known."),
        QStringLiteral("Without a desktop there is no window in front."),
    };
    return texts;
}
} // namespace

QString windowReasonText(WindowReason reason)
{
    return englishReasons().value(int(reason));
}

QString translatedWindowReason(const QString& english, const LanguagePage& page)
{
    return page.translated(englishReasons(), english);
}

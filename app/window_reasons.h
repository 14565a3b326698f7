#pragma once
#include <QString>

struct LanguagePage;

// Why the window in front cannot be followed. The rule dialog and
// halcyonctl show the reason in the user's language: the texts are the
// language group "windowReasons", entry i for reason i.
enum class WindowReason {
    DesktopDoesNotTell,
    KWinNotReachable,
    NoDesktop,
};

// The English text of a reason, as the watcher reports it.
QString windowReasonText(WindowReason reason);

// The reason `english` in the language of `page`; a text that is no known
// reason, or one the page lacks, stays as it is.
QString translatedWindowReason(const QString& english, const LanguagePage& page);

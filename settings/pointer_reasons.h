#pragma once
#include <QString>
#include <QStringList>

struct LanguagePage;

// Why a desktop does not offer a pointer setting. The system page shows the
// reason in the user's language: the texts are the language group
// "pointerReasons", entry i for reason i.
enum class PointerReason {
    NotOfferedByDesktop,
    NotOfferedByX11,
    GnomeHasNoWheelLines,
    GnomeSettingsMissing,
    NotOfferedByThisGnome,
};

// The English text of a reason, as the log writes it.
QString pointerReasonText(PointerReason reason);

// The reason `english` in the language of `page`; a text that is no known
// reason, or one the page lacks, stays as it is.
QString translatedPointerReason(const QString& english, const LanguagePage& page);

#pragma once
#include <QList>
#include <QStringList>

// The texts of one page in one language, and which of them the file holds
// (a missing entry reads as an empty text).
struct LanguagePage {
    QStringList texts;
    QList<bool> present;
};

// The translation files ./modules/i18n/<code>.ini: one group per page, its
// texts numbered 0 to total - 1.
class LanguageStrings {
public:
    // Page `type` in language `code`. A code that is not a plain file name,
    // or a language without a file, gives an empty page.
    LanguagePage page(const QString& type, const QString& code) const;
};

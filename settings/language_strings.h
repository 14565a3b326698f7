#pragma once
#include <QList>
#include <QStringList>

// The texts of one page in one language, and which of them the file holds
// (a missing entry reads as an empty text).
struct LanguagePage {
    QStringList texts;
    QList<bool> present;

    // The text of this page at the index `english` has in `englishTexts`
    // (the group's English entries, in order); `english` itself when it is
    // none of them or the page lacks that entry.
    QString translated(const QStringList& englishTexts, const QString& english) const;
};

// The translation files ./modules/i18n/<code>.ini: one group per page, its
// texts numbered 0 to total - 1.
class LanguageStrings {
public:
    // Page `type` in language `code`. A code that is not a plain file name,
    // or a language without a file, gives an empty page.
    LanguagePage page(const QString& type, const QString& code) const;
};

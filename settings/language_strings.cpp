// Texts of one page in one language, from ./modules/i18n/<code>.ini.
#include "settings/language_strings.h"
#include "settings/ini_format.h"
#include "settings/stored_counts.h"
#include <QFileInfo>

namespace {
// A language code names a file inside ./modules/i18n/ and nothing else.
bool isPlainLanguageCode(const QString& code)
{
    return !code.isEmpty() && !code.contains(QLatin1Char('/')) && !code.contains(QLatin1Char('\\'))
        && !code.contains(QLatin1String("..")) && !code.contains(QChar::Null) && !code.contains(QLatin1Char(':'));
}

QString textOf(const QVariant& value)
{
    // A translation holding an unquoted comma reads back as a list; it is
    // still one text.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}
} // namespace

LanguagePage LanguageStrings::page(const QString& type, const QString& code) const
{
    LanguagePage page;
    if (!isPlainLanguageCode(code))
        return page;
    const QString path = QStringLiteral("./modules/i18n/") + code + QStringLiteral(".ini");
    if (!QFileInfo(path).isFile())
        return page;
    const auto file = openIni(path);
    const int total = StoredCounts::entryCount(file->value(type + QStringLiteral("/total")),
                                               path + QLatin1Char(' ') + type + QStringLiteral("/total"));
    for (int i = 0; i < total; ++i) {
        const QVariant value = file->value(type + QLatin1Char('/') + QString::number(i));
        page.present.append(value.isValid());
        page.texts.append(textOf(value));
    }
    return page;
}

QString LanguagePage::translated(const QStringList& englishTexts, const QString& english) const
{
    const int i = englishTexts.indexOf(english);
    if (i < 0 || i >= texts.size() || !present.value(i) || texts.at(i).isEmpty())
        return english;
    return texts.at(i);
}

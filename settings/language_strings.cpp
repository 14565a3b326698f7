// Texts of one page in one language, from ./modules/i18n/<code>.ini.
#include "app/myqquickview.h"
#include "device/dpi_switch_texts.h"
#include "settings/notice_texts.h"
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

QStringList myQQuickView::getLangStrings(QString typeStr, QString langCode)
{
    QStringList texts;
    if (!isPlainLanguageCode(langCode))
        return texts;
    const QString path = QStringLiteral("./modules/i18n/") + langCode + QStringLiteral(".ini");
    if (!QFileInfo(path).isFile())
        return texts;
    const auto file = openIni(path);
    const int total = StoredCounts::entryCount(file->value(typeStr + QStringLiteral("/total")),
                                               path + QLatin1Char(' ') + typeStr + QStringLiteral("/total"));
    QList<bool> present;
    for (int i = 0; i < total; ++i) {
        const QVariant value = file->value(typeStr + QLatin1Char('/') + QString::number(i));
        present.append(value.isValid());
        texts.append(textOf(value));
    }
    if (typeStr == QLatin1String("other")) {
        // Entries without a string in the file keep their previous text.
        QStringList& tray = dpiSwitchTexts();
        for (int k = 0; k < 8 && k < texts.size(); ++k)
            if (present.at(k))
                tray[k] = texts.at(k);
        // After the eight DPI texts: the notice for a mouse we may not open.
        if (texts.size() > 8 && present.at(8) && !texts.at(8).isEmpty())
            accessDeniedNotice() = texts.at(8);
        // The tray menu's entry that shows the window.
        if (texts.size() > 9 && present.at(9) && !texts.at(9).isEmpty())
            showWindowMenuText() = texts.at(9);
    }
    return texts;
}

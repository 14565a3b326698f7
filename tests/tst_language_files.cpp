// The seven shipped language files: every group the scene fetches, totals
// that match the English file and the scene's English texts, every string
// present and non-empty, valid UTF-8, read back through getLangStrings.
#include "app/myqquickview.h"
#include "device/dpi_switch_texts.h"
#include "settings/ini_format.h"
#include "settings/pointer_reasons.h"
#include "app/notice_texts.h"
#include "app/window_reasons.h"
#include "app/program_profile_switcher.h"
#include "tests/settings/settings_fixture.h"
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtTest>

namespace {
const QString kI18n = QStringLiteral(HALCYON_SOURCE_DIR "/data/modules/i18n/");
const QString kQml = QStringLiteral(HALCYON_SOURCE_DIR "/modules/qml/");

const QStringList kLanguages = {"English", "ChineseSimplified", "ChineseTraditional", "German",
                                "French", "Italian", "Spanish"};

// Group, and the scene component (file and text array) whose English
// default array fixes its indexes. "keyCode" and "other" have none.
struct Group {
    const char* name;
    const char* qmlFile;
    const char* property;
};
const Group kGroups[] = {
    {"keyMatrix", "pages/KeyMatrixPage.qml", "keyMatrixLang"},
    {"keyAssigment", "pages/KeyAssigmentDialog.qml", "keyAssigmentLang"},
    {"dpiSetting", "pages/DpiSettingPage.qml", "dpiSettingLang"},
    {"lightControl", "pages/LightControlPage.qml", "lightControlLang"},
    {"macroEditor", "pages/MacroEditor.qml", "macroEditorLang"},
    {"systemSetting", "pages/SystemSettingPage.qml", "systemSettingLang"},
    {"gunControl", "pages/GunControl.qml", "gunControlLang"},
    {"profile", "pages/ProfileManager.qml", "profileLang"},
    {"keyCode", nullptr, nullptr},
    {"warningAssigment", "pages/WarningDialog.qml", "warningAssigmentLang"},
    {"programRules", "pages/ProgramRulesDialog.qml", "programRulesLang"},
    {"other", nullptr, nullptr},
    {"pointerReasons", nullptr, nullptr},
    {"windowReasons", nullptr, nullptr},
    {"programSwitch", nullptr, nullptr},
    {"keyHints", "pages/KeyAssigmentDialog.qml", "keyHintsLang"},
};

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QSettings::SettingsMap mapOf(const QString& language)
{
    QSettings::SettingsMap map;
    IniText::read(bytesOf(kI18n + language + QStringLiteral(".ini")), map);
    return map;
}

// The string literals of a QML array property "name: [ ... ]".
QStringList qmlArray(const QString& file, const QString& property)
{
    const QString text = QString::fromUtf8(bytesOf(kQml + file));
    const int start = text.indexOf(QRegularExpression(QStringLiteral("\\b%1\\s*:\\s*\\[").arg(property)));
    if (start < 0)
        return {};
    QStringList items;
    int i = text.indexOf(QLatin1Char('['), start) + 1;
    while (i < text.size() && text.at(i) != QLatin1Char(']')) {
        if (text.at(i) == QLatin1Char('"')) {
            QString item;
            for (++i; i < text.size() && text.at(i) != QLatin1Char('"'); ++i) {
                if (text.at(i) == QLatin1Char('\\')) {
                    ++i;
                    if (text.at(i) == QLatin1Char('u')) {
                        item.append(QChar(text.mid(i + 1, 4).toUShort(nullptr, 16)));
                        i += 4;
                        continue;
                    }
                }
                item.append(text.at(i));
            }
            items.append(item);
        }
        ++i;
    }
    return items;
}

// Names of the key table in table order, from the scene's table file.
QStringList keyTableNames()
{
    const QString text = QString::fromUtf8(bytesOf(kQml + QStringLiteral("common/keycodes.js")));
    const QString table = text.section(QStringLiteral("var builtinTable"), 1).section(QStringLiteral("];"), 0, 0);
    QStringList names;
    static const QRegularExpression row(QStringLiteral("\\[0x[0-9A-Fa-f]+, \"((?:[^\"\\\\]|\\\\.)*)\"\\]"));
    for (auto m = row.globalMatch(table); m.hasNext();) {
        QString name = m.next().captured(1);
        if (name.startsWith(QLatin1String("\\u")))
            name = QChar(name.mid(2).toUShort(nullptr, 16));
        name.replace(QLatin1String("\\\\"), QLatin1String("\\"));
        names.append(name);
    }
    return names;
}
} // namespace

class TestLanguageFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<myQQuickView> view;

private slots:
    void initTestCase()
    {
        // The program reads the files from ./modules/i18n of its working directory.
        work = std::make_unique<SettingsWorkdir>();
        work->writeSettingsSet();
        for (const QString& language : kLanguages)
            work->write(QStringLiteral("modules/i18n/") + language + QStringLiteral(".ini"),
                        bytesOf(kI18n + language + QStringLiteral(".ini")));
        view = std::make_unique<myQQuickView>();
    }
    void cleanupTestCase()
    {
        view.reset();
        work.reset();
        dpiSwitchTexts() = QStringList(8, QStringLiteral("DPI Switch to"));
    }

    void filesAreUtf8_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString& language : kLanguages)
            QTest::newRow(qPrintable(language)) << language;
    }
    void filesAreUtf8()
    {
        QFETCH(QString, language);
        const QByteArray bytes = bytesOf(kI18n + language + QStringLiteral(".ini"));
        QVERIFY2(!bytes.isEmpty(), "file missing");
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder(bytes);
        QVERIFY(!decoder.hasError());
        QVERIFY(!text.startsWith(QChar(0xFEFF)));
    }

    void groupsMatchEnglish_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("group");
        for (const QString& language : kLanguages)
            for (const Group& g : kGroups)
                QTest::newRow(qPrintable(language + QLatin1Char('/') + QLatin1String(g.name)))
                    << language << QString::fromLatin1(g.name);
    }
    void groupsMatchEnglish()
    {
        QFETCH(QString, language);
        QFETCH(QString, group);
        const QSettings::SettingsMap english = mapOf(QStringLiteral("English"));
        const QSettings::SettingsMap file = mapOf(language);
        QVERIFY2(file.contains(group + QStringLiteral("/total")), "group missing");
        bool ok = false;
        const int total = file.value(group + QStringLiteral("/total")).toString().toInt(&ok);
        QVERIFY(ok);
        QCOMPARE(total, english.value(group + QStringLiteral("/total")).toString().toInt());

        // Exactly the keys 0 .. total-1 besides the total.
        QStringList keys;
        for (auto it = file.cbegin(); it != file.cend(); ++it)
            if (it.key().startsWith(group + QLatin1Char('/')) && it.key() != group + QStringLiteral("/total"))
                keys.append(it.key().mid(group.size() + 1));
        QCOMPARE(keys.size(), total);
        for (int i = 0; i < total; ++i)
            QVERIFY2(keys.contains(QString::number(i)), qPrintable(QStringLiteral("key %1 missing").arg(i)));

        // As the program reads them: one non-empty text per index.
        const QStringList texts = view->getLangStrings(group, language);
        QCOMPARE(texts.size(), total);
        for (int i = 0; i < total; ++i)
            QVERIFY2(!texts.at(i).trimmed().isEmpty(), qPrintable(QStringLiteral("text %1 empty").arg(i)));
    }

    // The English file carries the scene's English texts, index for index.
    void englishMatchesTheScene_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("sceneTexts");
        for (const Group& g : kGroups) {
            if (g.qmlFile)
                QTest::newRow(g.name) << QString::fromLatin1(g.name)
                                      << qmlArray(QString::fromLatin1(g.qmlFile), QString::fromLatin1(g.property));
        }
        QTest::newRow("keyCode") << QStringLiteral("keyCode") << keyTableNames();
        QStringList reasons;
        for (int i = 0; !pointerReasonText(PointerReason(i)).isEmpty(); ++i)
            reasons << pointerReasonText(PointerReason(i));
        QTest::newRow("pointerReasons") << QStringLiteral("pointerReasons") << reasons;
        const QStringList windowReasons = {windowReasonText(WindowReason::DesktopDoesNotTell),
                                           windowReasonText(WindowReason::KWinNotReachable),
                                           windowReasonText(WindowReason::NoDesktop)};
        QTest::newRow("windowReasons") << QStringLiteral("windowReasons") << windowReasons;
        QTest::newRow("programSwitch") << QStringLiteral("programSwitch")
                                       << QStringList{QString::fromLatin1(ProgramProfileSwitcher::EnglishNoticeText)};
    }
    void englishMatchesTheScene()
    {
        QFETCH(QString, group);
        QFETCH(QStringList, sceneTexts);
        QVERIFY(!sceneTexts.isEmpty());
        QCOMPARE(view->getLangStrings(group, QStringLiteral("English")), sceneTexts);
    }

    // Macro files store key names; the same names in every language keep
    // macros recorded in one language playable after switching to another.
    void keyNamesAreTheTableInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString& language : kLanguages)
            QTest::newRow(qPrintable(language)) << language;
    }
    void keyNamesAreTheTableInEveryLanguage()
    {
        QFETCH(QString, language);
        const QStringList table = keyTableNames();
        QCOMPARE(table.size(), 133);
        QCOMPARE(view->getLangStrings(QStringLiteral("keyCode"), language), table);
    }

    // A text equal to the English one is a leftover, unless it is a key
    // name, a unit or proper noun, or the same word in that language.
    void noEnglishLeftovers_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("sameWords");
        const QStringList everywhere = {QStringLiteral("OK"), QStringLiteral("DPI+"), QStringLiteral("DPI-"),
                                        QStringLiteral("ms")};
        QTest::newRow("ChineseSimplified") << QStringLiteral("ChineseSimplified") << everywhere;
        QTest::newRow("ChineseTraditional") << QStringLiteral("ChineseTraditional") << everywhere;
        QTest::newRow("German") << QStringLiteral("German")
                                << everywhere + QStringList{"Bytes", "Neon", "Horizontal", "Desktop"};
        QTest::newRow("French") << QStringLiteral("French")
                                << everywhere + QStringList{"Direction", "Actions", "Macro", "Horizontal", "Vertical"};
        QTest::newRow("Italian") << QStringLiteral("Italian")
                                 << everywhere + QStringList{"Macro", "Neon", "Desktop", "Stop"};
        QTest::newRow("Spanish") << QStringLiteral("Spanish")
                                 << everywhere + QStringList{"Macro", "Bytes", "Horizontal", "Vertical"};
    }
    void noEnglishLeftovers()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, sameWords);
        QStringList leftovers;
        for (const Group& g : kGroups) {
            const QString group = QString::fromLatin1(g.name);
            // Key names are the same in every language (see above).
            if (group == QLatin1String("keyCode"))
                continue;
            const QStringList english = view->getLangStrings(group, QStringLiteral("English"));
            const QStringList texts = view->getLangStrings(group, language);
            for (int i = 0; i < texts.size() && i < english.size(); ++i) {
                if (texts.at(i) == english.at(i) && !sameWords.contains(texts.at(i)))
                    leftovers.append(QStringLiteral("%1/%2=%3").arg(group).arg(i).arg(texts.at(i)));
            }
        }
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers.join(QStringLiteral(", "))));
    }

    void otherSetsTheEightTrayTexts()
    {
        for (const QString& language : kLanguages) {
            dpiSwitchTexts() = QStringList(8, QString());
            view->getLangStrings(QStringLiteral("other"), language);
            QCOMPARE(dpiSwitchTexts().size(), 8);
            for (const QString& text : dpiSwitchTexts())
                QVERIFY2(!text.isEmpty(), qPrintable(language));
        }
    }

    // After the tray texts: the access notice, the tray menu's "Show
    // Halcyon", the scene's "not connected" notice, its window-only
    // recording note, its two transfer notes, then the names assistive
    // technology reads for the title bar's minimise button and language
    // list, then the keyboard texts of the macro editor and the profile
    // manager (as the scene has them before a language loads), each translated.
    void otherHasTheNoticesAndTheShowEntry()
    {
        QStringList english;
        for (const QString& language : kLanguages) {
            const QStringList texts = view->getLangStrings(QStringLiteral("other"), language);
            QCOMPARE(texts.size(), 24);
            for (const QString& text : texts)
                QVERIFY2(!text.isEmpty(), qPrintable(language));
            QCOMPARE(showWindowMenuText(), texts.at(9));
            QVERIFY2(texts.at(9).contains(QStringLiteral("Halcyon")), qPrintable(language));
            if (language == QLatin1String("English"))
                english = texts;
        }
        QCOMPARE(english.mid(9, 3), (QStringList{QStringLiteral("Show Halcyon"), QStringLiteral("Mouse not connected"),
                                                 QStringLiteral("Only keys typed in this window are recorded")}));
        // Then the notes of a long transfer, as the scene has them before a language loads.
        QCOMPARE(english.mid(12, 2), qmlArray(QStringLiteral("main.qml"), QStringLiteral("transferNotes")));
        QCOMPARE(english.mid(14, 2), (QStringList{QStringLiteral("Minimise"), QStringLiteral("Language")}));
        QCOMPARE(english.mid(16), qmlArray(QStringLiteral("main.qml"), QStringLiteral("keyboardTexts")));
    }
};

QTEST_MAIN(TestLanguageFiles)
#include "tst_language_files.moc"

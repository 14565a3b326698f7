// Texts of one page in one language, and which of them the file holds.
#include "settings/language_strings.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>

class TestLanguageStrings : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        // Chinese as raw UTF-8, as translators write it, and one escaped.
        work->write(QStringLiteral("modules/i18n/English.ini"),
                    "[profile]\ntotal=3\n0=New\n1=Delete\n2=\"Export, Import\"\n3=beyond total\n\n"
                    "[zero]\ntotal=0\n0=x\n\n"
                    "[negative]\ntotal=-2\n0=x\n\n"
                    "[gap]\ntotal=3\n0=a\n2=c\n\n"
                    "[comma]\ntotal=1\n0=Hello, world\n\n"
                    "[other]\ntotal=8\n0=g0\n5=g5\n");
        work->write(QStringLiteral("modules/i18n/ChineseSimplified.ini"),
                    "[profile]\ntotal=2\n0=\xe6\x96\xb0\xe5\xbb\xba\n1=\\x5220\\x9664\n");
        work->write(QStringLiteral("modules/outside.ini"), "[profile]\ntotal=1\n0=leaked\n");
    }
    void cleanup() { work.reset(); }

    void readsPages_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<bool>>("present");
        const QList<bool> none;
        QTest::newRow("total bounds the list") << "profile" << "English"
                                               << QStringList{"New", "Delete", "Export, Import"}
                                               << QList<bool>{true, true, true};
        QTest::newRow("total 0") << "zero" << "English" << QStringList() << none;
        QTest::newRow("negative total") << "negative" << "English" << QStringList() << none;
        QTest::newRow("missing string in range") << "gap" << "English" << QStringList{"a", "", "c"}
                                                 << QList<bool>{true, false, true};
        QTest::newRow("missing strings in the other page")
            << "other" << "English" << QStringList{"g0", "", "", "", "", "g5", "", ""}
            << QList<bool>{true, false, false, false, false, true, false, false};
        QTest::newRow("unquoted comma stays one text") << "comma" << "English" << QStringList{"Hello, world"}
                                                       << QList<bool>{true};
        QTest::newRow("missing group") << "keyCode" << "English" << QStringList() << none;
        QTest::newRow("missing file") << "profile" << "Klingon" << QStringList() << none;
        QTest::newRow("chinese intact") << "profile" << "ChineseSimplified"
                                        << QStringList{QString::fromUtf16(u"\u65b0\u5efa"),
                                                       QString::fromUtf16(u"\u5220\u9664")}
                                        << QList<bool>{true, true};
        QTest::newRow("parent directory") << "profile" << "../outside" << QStringList() << none;
        QTest::newRow("nested parent") << "profile" << "x/../../outside" << QStringList() << none;
        QTest::newRow("backslash") << "profile" << "..\\outside" << QStringList() << none;
        // The data rows are made before init() enters the working directory.
        QTest::newRow("absolute path") << "profile" << "<workdir>/modules/outside" << QStringList() << none;
        QTest::newRow("empty code") << "profile" << "" << QStringList() << none;
    }
    void readsPages()
    {
        QFETCH(QString, group);
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        QFETCH(QList<bool>, present);
        language.replace(QLatin1String("<workdir>"), QDir::currentPath());
        const LanguagePage page = LanguageStrings().page(group, language);
        QCOMPARE(page.texts, texts);
        QCOMPARE(page.present, present);
    }
};

QTEST_GUILESS_MAIN(TestLanguageStrings)
#include "tst_language_strings.moc"

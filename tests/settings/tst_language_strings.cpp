// Texts of one page in one language, and the tray texts of DPI changes.
#include "app/myqquickview.h"
#include "device/dpi_switch_texts.h"
#include "settings/notice_texts.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>

class TestLanguageStrings : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<myQQuickView> view;

    static QStringList defaults() { return QStringList(8, QStringLiteral("DPI Switch to")); }

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        work->writeSettingsSet();
        // Chinese as raw UTF-8, as translators write it, and one escaped.
        work->write(QStringLiteral("modules/i18n/English.ini"),
                    "[profile]\ntotal=3\n0=New\n1=Delete\n2=\"Export, Import\"\n3=beyond total\n\n"
                    "[zero]\ntotal=0\n0=x\n\n"
                    "[negative]\ntotal=-2\n0=x\n\n"
                    "[gap]\ntotal=3\n0=a\n2=c\n\n"
                    "[comma]\ntotal=1\n0=Hello, world\n\n"
                    "[other]\ntotal=8\n0=s1\n1=s2\n2=s3\n3=s4\n4=s5\n5=s6\n6=s7\n7=sx\n");
        work->write(QStringLiteral("modules/i18n/ChineseSimplified.ini"),
                    "[profile]\ntotal=2\n0=\xe6\x96\xb0\xe5\xbb\xba\n1=\\x5220\\x9664\n\n"
                    "[other]\ntotal=3\n0=\xe5\x88\x87\xe6\x8d\xa2\n1=b\n2=c\n");
        work->write(QStringLiteral("modules/outside.ini"), "[profile]\ntotal=1\n0=leaked\n");
        dpiSwitchTexts() = defaults();
        view = std::make_unique<myQQuickView>();
    }
    void cleanup()
    {
        view.reset();
        work.reset();
        dpiSwitchTexts() = defaults();
    }

    void readsGroups_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("total bounds the list") << "profile" << "English"
                                               << QStringList{"New", "Delete", "Export, Import"};
        QTest::newRow("total 0") << "zero" << "English" << QStringList();
        QTest::newRow("negative total") << "negative" << "English" << QStringList();
        QTest::newRow("missing string in range") << "gap" << "English" << QStringList{"a", "", "c"};
        QTest::newRow("unquoted comma stays one text") << "comma" << "English" << QStringList{"Hello, world"};
        QTest::newRow("missing group") << "keyCode" << "English" << QStringList();
        QTest::newRow("missing file") << "profile" << "Klingon" << QStringList();
        QTest::newRow("chinese intact") << "profile" << "ChineseSimplified"
                                        << QStringList{QString::fromUtf16(u"\u65b0\u5efa"),
                                                       QString::fromUtf16(u"\u5220\u9664")};
        QTest::newRow("parent directory") << "profile" << "../outside" << QStringList();
        QTest::newRow("nested parent") << "profile" << "x/../../outside" << QStringList();
        QTest::newRow("backslash") << "profile" << "..\\outside" << QStringList();
        QTest::newRow("absolute path") << "profile" << (QDir::currentPath() + "/modules/outside") << QStringList();
        QTest::newRow("empty code") << "profile" << "" << QStringList();
    }
    void readsGroups()
    {
        QFETCH(QString, group);
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        QCOMPARE(view->getLangStrings(group, language), expected);
        QCOMPARE(dpiSwitchTexts(), defaults());
    }

    void otherReplacesAllEightTrayTexts()
    {
        const QStringList texts = view->getLangStrings(QStringLiteral("other"), QStringLiteral("English"));
        QCOMPARE(texts.size(), 8);
        QCOMPARE(dpiSwitchTexts(), (QStringList{"s1", "s2", "s3", "s4", "s5", "s6", "s7", "sx"}));
    }

    void shortOtherKeepsPreviousTexts()
    {
        view->getLangStrings(QStringLiteral("other"), QStringLiteral("English"));
        view->getLangStrings(QStringLiteral("other"), QStringLiteral("ChineseSimplified"));
        QCOMPARE(dpiSwitchTexts(), (QStringList{QString::fromUtf16(u"\u5207\u6362"), "b", "c", "s4", "s5", "s6",
                                                "s7", "sx"}));
        // A missing file leaves them alone as well.
        view->getLangStrings(QStringLiteral("other"), QStringLiteral("Klingon"));
        QCOMPARE(dpiSwitchTexts().at(3), QStringLiteral("s4"));
    }

    void otherWithGapsKeepsThePreviousTextInTheGap()
    {
        work->write(QStringLiteral("modules/i18n/German.ini"), "[other]\ntotal=8\n0=g0\n5=g5\n");
        const QStringList texts = view->getLangStrings(QStringLiteral("other"), QStringLiteral("German"));
        QCOMPARE(texts, (QStringList{"g0", "", "", "", "", "g5", "", ""}));
        QCOMPARE(dpiSwitchTexts(), (QStringList{"g0", "DPI Switch to", "DPI Switch to", "DPI Switch to",
                                                "DPI Switch to", "g5", "DPI Switch to", "DPI Switch to"}));
    }

    void ninthOtherStringIsTheAccessNotice()
    {
        const QString english = QStringLiteral("Device found but not accessible: install the udev rule");
        accessDeniedNotice() = english;
        work->write(QStringLiteral("modules/i18n/French.ini"),
                    "[other]\ntotal=9\n0=f1\n1=f2\n2=f3\n3=f4\n4=f5\n5=f6\n6=f7\n7=fx\n8=acces refuse\n");
        view->getLangStrings(QStringLiteral("other"), QStringLiteral("French"));
        QCOMPARE(accessDeniedNotice(), QStringLiteral("acces refuse"));
        QCOMPARE(dpiSwitchTexts().at(7), QStringLiteral("fx"));
        // A language with only the eight DPI texts keeps the notice it had.
        view->getLangStrings(QStringLiteral("other"), QStringLiteral("English"));
        QCOMPARE(accessDeniedNotice(), QStringLiteral("acces refuse"));
        accessDeniedNotice() = english;
    }
};

QTEST_MAIN(TestLanguageStrings)
#include "tst_language_strings.moc"

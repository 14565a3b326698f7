// Counts read from files a user may have damaged: out-of-range values are
// refused (read as nothing) with a log line, so start-up neither loops for
// hours nor exhausts memory. The device table's counts and lengths are
// checked beside its reader (tests/features/tst_device_table_file.cpp).
#include "settings/language_strings.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>

class TestStoredCounts : public QObject {
    Q_OBJECT
private slots:
    void languageTotal_data()
    {
        QTest::addColumn<QByteArray>("total");
        QTest::addColumn<int>("texts");
        QTest::addColumn<bool>("refused");
        QTest::newRow("two") << QByteArray("2") << 2 << false;
        QTest::newRow("the maximum") << QByteArray("4096") << 4096 << false;
        QTest::newRow("one above the maximum") << QByteArray("4097") << 0 << true;
        QTest::newRow("two billion") << QByteArray("2000000000") << 0 << true;
        QTest::newRow("beyond int") << QByteArray("99999999999") << 0 << true;
        QTest::newRow("negative") << QByteArray("-5") << 0 << true;
        QTest::newRow("text") << QByteArray("many") << 0 << true;
    }
    void languageTotal()
    {
        QFETCH(QByteArray, total);
        QFETCH(int, texts);
        QFETCH(bool, refused);
        SettingsWorkdir work;
        work.writeSettingsSet();
        work.write(QStringLiteral("modules/i18n/English.ini"), "[keyMatrix]\ntotal=" + total + "\n0=a\n1=b\n");
        if (refused)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^refused .*keyMatrix/total")));
        QCOMPARE(LanguageStrings().page(QStringLiteral("keyMatrix"), QStringLiteral("English")).texts.size(), texts);
    }
};

QTEST_GUILESS_MAIN(TestStoredCounts)
#include "tst_stored_counts.moc"

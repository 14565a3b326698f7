// The program rules in the global configuration: which names are refused,
// which rule a program in front gets, and what a stored group reads back as.
#include "settings/program_rules.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>

class TestProgramRules : public QObject {
    Q_OBJECT
private slots:
    void refusesNames_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("refused");
        QTest::newRow("plain") << "supertuxkart" << false;
        QTest::newRow("spaces and dots") << "My Game.x86_64" << false;
        QTest::newRow("255 bytes of UTF-8") << QString(85, QChar(0x20AC)) << false;
        QTest::newRow("256 bytes of UTF-8") << QString(85, QChar(0x20AC)) + "x" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("path") << "/usr/games/supertuxkart" << true;
        QTest::newRow("newline") << "kart\nrm" << true;
        QTest::newRow("escape") << "kart\x1b[2J" << true;
    }
    void refusesNames()
    {
        QFETCH(QString, program);
        QFETCH(bool, refused);
        QCOMPARE(!programNameRefusal(program).isEmpty(), refused);
    }

    void findsTheFirstMatchingRule_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("profile");  // 0: no rule
        QTest::newRow("executable") << "supertuxkart" << "" << "" << 2;
        QTest::newRow("executable is exact") << "SuperTuxKart" << "" << "" << 0;
        QTest::newRow("class name, any case") << "firefox-esr" << "navigator" << "FIREFOX-ESR" << 3;
        QTest::newRow("class instance") << "" << "firefox-esr" << "Whatever" << 3;
        QTest::newRow("executable rule first") << "supertuxkart" << "firefox-esr" << "" << 2;
        QTest::newRow("nothing known") << "" << "" << "" << 0;
    }
    void findsTheFirstMatchingRule()
    {
        QFETCH(QString, executable);
        QFETCH(QString, instance);
        QFETCH(QString, className);
        QFETCH(int, profile);
        ProgramRules rules;
        rules.rules = {{QStringLiteral("supertuxkart"), ProgramRule::Match::Executable, 2},
                       {QStringLiteral("Firefox-ESR"), ProgramRule::Match::WindowClass, 3},
                       {QStringLiteral("supertuxkart"), ProgramRule::Match::Executable, 4}};
        const ProgramRule* rule = rules.find(executable, instance, className);
        QCOMPARE(rule ? rule->profile : 0, profile);
    }

    // Older files mean "off"; invalid entries are skipped; a shorter list
    // leaves no stale entries behind.
    void readsAndWritesTheGroup()
    {
        SettingsWorkdir work;
        work.writeSettingsSet();
        {
            SettingsStores stores;
            const ProgramRules none = readProgramRules(stores.config);
            QVERIFY(!none.autoSwitch);
            QVERIFY(none.notice);
            QCOMPARE(none.defaultProfile, 1);
            QVERIFY(none.rules.isEmpty());
        }
        QByteArray text = work.read(QStringLiteral("modules/setting/apConfig.bin"));
        text += "\n[programRules]\nautoSwitch=true\nnotice=false\ndefaultProfile=11\ncount=4\n"
                "program1=a/b\nmatch1=executable\nprofile1=2\n"
                "program2=kart\nmatch2=window\nprofile2=2\n"
                "program3=kart\nmatch3=executable\nprofile3=0\n"
                "program4=Steam\nmatch4=class\nprofile4=10\n";
        work.write(QStringLiteral("modules/setting/apConfig.bin"), text);
        SettingsStores stores;
        ProgramRules rules = readProgramRules(stores.config);
        QVERIFY(rules.autoSwitch);
        QVERIFY(!rules.notice);
        QCOMPARE(rules.defaultProfile, 1);
        QCOMPARE(rules.rules, (QVector<ProgramRule>{{QStringLiteral("Steam"), ProgramRule::Match::WindowClass, 10}}));

        writeProgramRules(stores.config, rules);
        QVERIFY(stores.config.flush());
        const QByteArray written = work.read(QStringLiteral("modules/setting/apConfig.bin"));
        QVERIFY(written.contains("program1=Steam"));
        QVERIFY(!written.contains("program2"));
        QVERIFY(!written.contains("profile4"));
        QCOMPARE(readProgramRules(stores.config).rules, rules.rules);
    }
};

QTEST_GUILESS_MAIN(TestProgramRules)
#include "tst_program_rules.moc"

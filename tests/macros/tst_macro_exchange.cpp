// Exchange files: single and batch import and export through the dialog
// seam, and the library scan.
#include "macro_test_env.h"
#include <QFileInfo>
#include "settings/ini_format.h"
#include <QtTest>

class TestMacroExchange : public QObject {
    Q_OBJECT
    std::unique_ptr<MacroTestEnv> env;
    myQQuickView& v() { return env->v(); }
    static QString lib(const QString& rel) { return QStringLiteral("modules/macro/") + rel; }
    QString abs(const QString& rel) { return QDir::current().absoluteFilePath(rel); }
    QStringList lists()
    {
        // All nine batch lists as "level,type:names".
        QStringList out;
        for (int level = 1; level <= 5; ++level) {
            for (int type = 0; type <= (level == 5 ? 0 : 1); ++type) {
                const QStringList names = v().getMacroFileName_batch(level, type);
                if (!names.isEmpty())
                    out << QStringLiteral("%1,%2:%3").arg(level).arg(type).arg(names.join(QLatin1Char(' ')));
            }
        }
        return out;
    }

private slots:
    void init() { env = std::make_unique<MacroTestEnv>(); }
    void cleanup() { env.reset(); }

    void batchImportWalksFilesBeforeFoldersDepthFirst()
    {
        MacroTestEnv::write("src/T/a.mc", "A");
        MacroTestEnv::write("src/T/sub/b.mc", "B");
        MacroTestEnv::write("src/T/sub/deep/c.mc", "C");
        env->dialogs.answers << abs("src/T");
        QCOMPARE(v().loadMacroFile_batch(), QStringLiteral("T"));
        QCOMPARE(env->dialogs.asked, QStringList{"Open Directory|"});
        QVERIFY(QFileInfo(lib("T")).isDir());
        v().loadMacroFile_sub_batch();
        QCOMPARE(lists(), (QStringList{"1,0:a", "1,1:sub", "2,0:b", "2,1:deep", "3,0:c"}));
        QCOMPARE(MacroTestEnv::tree(lib("T")),
                 (QStringList{"a.bin", "sub/", "sub/b.bin", "sub/deep/", "sub/deep/c.bin"}));
        QCOMPARE(MacroTestEnv::read(lib("T/sub/deep/c.bin")), QByteArray("C"));
    }

    void batchImportSortsWithoutRegardToCase()
    {
        MacroTestEnv::write("src/T/b.mc", "");
        MacroTestEnv::write("src/T/C.mc", "");
        MacroTestEnv::write("src/T/a.mc", "");
        MacroTestEnv::write("src/T/notes.txt", "");
        MacroTestEnv::write("src/T/Zed/z.mc", "");
        MacroTestEnv::write("src/T/alpha/y.mc", "");
        env->dialogs.answers << abs("src/T");
        v().loadMacroFile_batch();
        v().loadMacroFile_sub_batch();
        QCOMPARE(lists(), (QStringList{"1,0:a b C", "1,1:alpha Zed", "2,0:y z"}));
    }

    void batchImportStopsAtLevelFive()
    {
        MacroTestEnv::write("src/T/1/2/3/4/e.mc", "E");
        MacroTestEnv::write("src/T/1/2/3/4/5/f.mc", "F");
        env->dialogs.answers << abs("src/T");
        v().loadMacroFile_batch();
        v().loadMacroFile_sub_batch();
        QCOMPARE(lists(), (QStringList{"1,1:1", "2,1:2", "3,1:3", "4,1:4", "5,0:e"}));
        QVERIFY(QFileInfo::exists(lib("T/1/2/3/4/e.bin")));
        QVERIFY(!QFileInfo::exists(lib("T/1/2/3/4/5")));
    }

    void batchImportRefusals_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("cancelled") << QString();
        QTest::newRow("desktop") << QStringLiteral("home/Desktop");
        QTest::newRow("desktop with slash") << QStringLiteral("home/Desktop/");
        QTest::newRow("hidden directory") << QStringLiteral("src/.hidden");
    }
    void batchImportRefusals()
    {
        QFETCH(QString, chosen);
        MacroTestEnv::write("home/Desktop/a.mc", "");
        MacroTestEnv::write("src/.hidden/a.mc", "");
        if (!chosen.isEmpty())
            env->dialogs.answers << abs(chosen);
        QCOMPARE(v().loadMacroFile_batch(), QString());
        v().loadMacroFile_sub_batch();
        QVERIFY(lists().isEmpty());
        QVERIFY(MacroTestEnv::tree(lib("")).isEmpty());
    }

    void batchImportPassesOverUnsafeNames()
    {
        MacroTestEnv::write("src/T/ok.mc", "");
        MacroTestEnv::write("src/T/..mc", "");
        MacroTestEnv::write("src/T/a\\b.mc", "");
        MacroTestEnv::write("src/T/c:d/x.mc", "");
        MacroTestEnv::write("src/T/e,f.mc", "");
        env->dialogs.answers << abs("src/T");
        v().loadMacroFile_batch();
        v().loadMacroFile_sub_batch();
        QCOMPARE(lists(), QStringList{"1,0:ok"});
        QCOMPARE(MacroTestEnv::tree(lib("")), (QStringList{"T/", "T/ok.bin"}));
        // What was passed over is there for the editor to report.
        QCOMPARE(v().getRefusedImportNames(), (QStringList{"a\\b.mc", "e,f.mc", "c:d"}));
    }

    // "*.mc" in any case is listed and copied alike.
    void batchImportTakesEitherCase()
    {
        MacroTestEnv::write("src/T/Upper.MC", "U");
        MacroTestEnv::write("src/T/lower.mc", "L");
        MacroTestEnv::write("src/T/Mixed.Mc", "M");
        env->dialogs.answers << abs("src/T");
        v().loadMacroFile_batch();
        v().loadMacroFile_sub_batch();
        QCOMPARE(lists(), QStringList{"1,0:lower Mixed Upper"});
        QCOMPARE(MacroTestEnv::read(lib("T/Upper.bin")), QByteArray("U"));
        QCOMPARE(MacroTestEnv::read(lib("T/Mixed.bin")), QByteArray("M"));
        QCOMPARE(MacroTestEnv::read(lib("T/lower.bin")), QByteArray("L"));
        QVERIFY(v().getRefusedImportNames().isEmpty());
    }

    // A scan asked for a level or name that cannot be walked leaves no
    // names of an earlier walk behind.
    void scanThatCannotWalkClearsTheLists_data()
    {
        QTest::addColumn<QVariant>("level");
        QTest::addColumn<QString>("name");
        QTest::newRow("level beyond five") << QVariant(7) << QStringLiteral("T");
        QTest::newRow("negative level") << QVariant(-2) << QStringLiteral("T");
        QTest::newRow("name refused") << QVariant(0) << QStringLiteral("a/b");
    }
    void scanThatCannotWalkClearsTheLists()
    {
        QFETCH(QVariant, level);
        QFETCH(QString, name);
        MacroTestEnv::write("src/T/one.mc", "");
        env->dialogs.answers << abs("src/T");
        v().loadMacroFile_batch();
        v().loadMacroFile_sub_batch();
        QCOMPARE(lists(), QStringList{"1,0:one"});
        v().searchMacroFile_sub_batch(name, level, 0);
        QVERIFY(lists().isEmpty());
    }

    void importNeverReplacesAMacro()
    {
        MacroTestEnv::write(lib("Combo.bin"), "mine");
        MacroTestEnv::write("in/Combo.mc", "theirs");
        env->dialogs.answers << abs("in/Combo.mc");
        QCOMPARE(v().loadMacroFile(-1, -1), QStringLiteral("Combo"));
        QCOMPARE(env->dialogs.asked, QStringList{"Open File|Macro(*.mc)"});
        QCOMPARE(MacroTestEnv::read(lib("Combo.bin")), QByteArray("mine"));
    }

    void importRefusesUnsafeNames_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing before the dot") << QStringLiteral("in/..mc");
        QTest::newRow("backslash") << QStringLiteral("in/a\\b.mc");
        QTest::newRow("device name") << QStringLiteral("in/NUL.mc");
        QTest::newRow("device name in lower case") << QStringLiteral("in/con.mc");
        QTest::newRow("list separator") << QStringLiteral("in/a;b.mc");
    }
    void importRefusesUnsafeNames()
    {
        QFETCH(QString, file);
        MacroTestEnv::write(file, "x");
        env->dialogs.answers << abs(file);
        QCOMPARE(v().loadMacroFile(-1, -1), QString());
        QVERIFY(MacroTestEnv::tree(lib("")).isEmpty());
        QCOMPARE(v().getRefusedImportNames(), QStringList{QFileInfo(file).fileName()});
    }

    void exportThenImportIsByteEqual()
    {
        v().createMacroIni(QStringLiteral("Combo"), 3, 0, 0);
        v().saveMacroIni(0, QStringLiteral("Combo"), {"1,A", "0,50", "2,\\", "1,\u25BA"}, 2);
        const QByteArray original = MacroTestEnv::read(lib("Combo.bin"));
        QDir().mkpath("out");
        env->dialogs.answers << abs("out/Combo.mc");
        v().saveMacroFile(0, QStringLiteral("Combo"));
        QCOMPARE(env->dialogs.asked, QStringList{"Save File|Macro(*.mc)"});
        QCOMPARE(MacroTestEnv::read("out/Combo.mc"), original);
        v().deleteMacroIni(0, 0, QStringLiteral("Combo"));
        env->dialogs.answers << abs("out/Combo.mc");
        QCOMPARE(v().loadMacroFile(0, 0), QStringLiteral("Combo"));
        QCOMPARE(MacroTestEnv::read(lib("Combo.bin")), original);
    }

    void exportReplacesTheChosenFile()
    {
        MacroTestEnv::write(lib("Combo.bin"), "new");
        MacroTestEnv::write("out/Combo.mc", "old and longer");
        env->dialogs.answers << abs("out/Combo.mc");
        v().saveMacroFile(0, QStringLiteral("Combo"));
        QCOMPARE(MacroTestEnv::read("out/Combo.mc"), QByteArray("new"));
        // Cancelled or missing: nothing written.
        v().saveMacroFile(0, QStringLiteral("Combo"));
        env->dialogs.answers << abs("out/Other.mc");
        v().saveMacroFile(0, QStringLiteral("Missing"));
        QVERIFY(!QFileInfo::exists("out/Other.mc"));
    }

    void batchExportTwiceKeepsTheSecondContent()
    {
        MacroTestEnv::write(lib("A.bin"), "first");
        QDir().mkpath(lib("F"));
        QDir().mkpath("out");
        for (const QByteArray content : {QByteArray("first"), QByteArray("second")}) {
            MacroTestEnv::write(lib("A.bin"), content);
            env->dialogs.answers << abs("out");
            v().getbatchPath();
            v().saveMacroFile_batch(0, {"A", "F", "ignored"}, {0, 1, 2});
        }
        QCOMPARE(MacroTestEnv::tree("out"), (QStringList{"Macro/", "Macro/A.mc", "Macro/F/"}));
        QCOMPARE(MacroTestEnv::read("out/Macro/A.mc"), QByteArray("second"));
        QCOMPARE(env->dialogs.asked.first(), QStringLiteral("Save File|"));
    }

    void cancelledBatchExportWritesNothing()
    {
        MacroTestEnv::write(lib("A.bin"), "x");
        v().getbatchPath();
        v().saveMacroFile_batch(0, {"A"}, {0});
        QCOMPARE(MacroTestEnv::tree(QStringLiteral(".")).filter(QStringLiteral(".mc")), QStringList());
    }

    void singleImportTarget_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("selectType");
        QTest::addColumn<QString>("target");
        QTest::newRow("macro selected") << 2 << 0 << "Combo.bin";
        QTest::newRow("nothing selected") << -1 << -1 << "Combo.bin";
        QTest::newRow("no level, folder type") << -1 << 1 << "Combo.bin";
        QTest::newRow("folder at 0") << 0 << 1 << "a/Combo.bin";
        QTest::newRow("folder at 1") << 1 << 1 << "a/b/Combo.bin";
        QTest::newRow("folder at 2") << 2 << 1 << "a/b/c/Combo.bin";
        QTest::newRow("folder at 3") << 3 << 1 << "a/b/c/d/Combo.bin";
        QTest::newRow("folder at 4") << 4 << 1 << "a/b/c/d/e/Combo.bin";
        QTest::newRow("folder at 5") << 5 << 1 << QString();
    }
    void singleImportTarget()
    {
        QFETCH(int, level);
        QFETCH(int, selectType);
        QFETCH(QString, target);
        QDir().mkpath(lib("a/b/c/d/e"));
        MacroTestEnv::write("in/Combo.mc", "x");
        v().setMacroSelectName("a", "b", "c", "d", "e");
        env->dialogs.answers << abs("in/Combo.mc");
        QCOMPARE(v().loadMacroFile(level, selectType), QStringLiteral("Combo"));
        QStringList macros = MacroTestEnv::tree(lib("")).filter(QStringLiteral(".bin"));
        QCOMPARE(macros, target.isEmpty() ? QStringList() : QStringList{target});
    }

    void batchExportFollowsTheSelectedFolders()
    {
        MacroTestEnv::write(lib("Top.bin"), "top");
        MacroTestEnv::write(lib("G/a.bin"), "a");
        MacroTestEnv::write(lib("G/S/b.bin"), "b");
        QDir().mkpath("out");
        env->dialogs.answers << abs("out");
        v().getbatchPath();
        v().setMacroSelectName("", "", "", "", "");
        v().saveMacroFile_batch(0, {"Top", "G"}, {0, 1});
        v().setMacroSelectName("G", "", "", "", "");
        v().saveMacroFile_batch(1, {"a", "S"}, {0, 1});
        v().setMacroSelectName("G", "S", "", "", "");
        v().saveMacroFile_batch(2, {"b"}, {0});
        QCOMPARE(MacroTestEnv::tree("out"),
                 (QStringList{"Macro/", "Macro/G/", "Macro/G/S/", "Macro/G/S/b.mc", "Macro/G/a.mc", "Macro/Top.mc"}));
        QCOMPARE(MacroTestEnv::read("out/Macro/G/S/b.mc"), QByteArray("b"));
    }

    void libraryScanClearsSubListsFromItsLevel_data()
    {
        QTest::addColumn<int>("deleteLevel");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("0") << 0 << QStringList{"Other", "macro"};
        QTest::newRow("1") << 1 << QStringList{"G", "Other", "macro"};
        QTest::newRow("2") << 2 << QStringList{"G", "GS", "Other", "macro"};
        QTest::newRow("5") << 5 << QStringList{"G", "GS", "GST", "GSTU", "Other", "macro"};
    }
    void libraryScanClearsSubListsFromItsLevel()
    {
        QFETCH(int, deleteLevel);
        QFETCH(QStringList, remaining);
        MacroTestEnv::write(lib("G/S/T/U/x.bin"), "");
        QByteArray index;
        for (const char* group : {"G", "GS", "GST", "GSTU", "Other", "macro"})
            index += QByteArray("[") + group + "]\nmacroName=x, emptyslotkey\nmacroType=0, emptyslotkey\n";
        MacroTestEnv::write("modules/setting/name.bin", index);
        v().searchMacroFile_sub_batch(QStringLiteral("G"), 0, deleteLevel);
        QStringList groups = openIni(QStringLiteral("modules/setting/name.bin"))->childGroups();
        groups.sort();
        QCOMPARE(groups, remaining);
        QCOMPARE(lists(), (QStringList{"1,1:S", "2,1:T", "3,1:U", "4,0:x"}));
    }

    void libraryScanOfANestedFolder()
    {
        MacroTestEnv::write(lib("G/S/T/x.bin"), "");
        MacroTestEnv::write("modules/setting/name.bin", "[S]\nmacroName=T, emptyslotkey\n[ST]\nmacroName=x, emptyslotkey\n");
        v().setMacroSelectName("G", "", "", "", "");
        v().searchMacroFile_sub_batch(QStringLiteral("S"), 1, 0);
        QVERIFY(openIni(QStringLiteral("modules/setting/name.bin"))->childGroups().isEmpty());
        QCOMPARE(lists(), (QStringList{"1,1:T", "2,0:x"}));
    }

    void libraryScanListsTheTree()
    {
        MacroTestEnv::write(lib("G/b.bin"), "");
        MacroTestEnv::write(lib("G/A.bin"), "");
        MacroTestEnv::write(lib("G/S/c.bin"), "");
        MacroTestEnv::write(lib("G/S/T/d.bin"), "");
        MacroTestEnv::write(lib("G/notes.mc"), "");
        v().searchMacroFile_sub_batch(QStringLiteral("G"), 0, 0);
        QCOMPARE(lists(), (QStringList{"1,0:A b", "1,1:S", "2,0:c", "2,1:T", "3,0:d"}));
        // Nothing is created or copied.
        QCOMPARE(MacroTestEnv::tree(lib("")).size(), 8);
    }
};

QTEST_MAIN(TestMacroExchange)
#include "tst_macro_exchange.moc"

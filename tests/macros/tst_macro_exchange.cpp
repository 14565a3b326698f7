// Exchange files: single and batch import and export of the paths the user
// chose, and the library scan.
#include "macro_test_env.h"
#include "settings/ini_format.h"
#include <QFileInfo>
#include <QtTest>

using Env = MacroTestEnv;

class TestMacroExchange : public QObject {
    Q_OBJECT
    std::unique_ptr<MacroTestEnv> env;
    MacroLibrary& library() { return env->library(); }
    static QString lib(const QString& rel) { return Env::lib(rel); }
    static QString abs(const QString& rel) { return Env::abs(rel); }
    QStringList lists()
    {
        // All nine batch lists as "level,type:names".
        QStringList out;
        for (int level = 1; level <= 5; ++level) {
            for (int type = 0; type <= (level == 5 ? 0 : 1); ++type) {
                const QStringList names = library().batchNames(level, type);
                if (!names.isEmpty())
                    out << QStringLiteral("%1,%2:%3").arg(level).arg(type).arg(names.join(QLatin1Char(' ')));
            }
        }
        return out;
    }
    void batchImport(const QString& directory)
    {
        library().beginBatchImport(abs(directory));
        library().runBatchImport();
    }

private slots:
    void init() { env = std::make_unique<MacroTestEnv>(); }
    void cleanup() { env.reset(); }

    void batchImportWalksFilesBeforeFoldersDepthFirst()
    {
        Env::write("src/T/a.mc", "A");
        Env::write("src/T/sub/b.mc", "B");
        Env::write("src/T/sub/deep/c.mc", "C");
        QCOMPARE(library().beginBatchImport(abs("src/T")), QStringLiteral("T"));
        QVERIFY(QFileInfo(lib("T")).isDir());
        library().runBatchImport();
        QCOMPARE(lists(), (QStringList{"1,0:a", "1,1:sub", "2,0:b", "2,1:deep", "3,0:c"}));
        QCOMPARE(Env::tree(lib("T")), (QStringList{"a.bin", "sub/", "sub/b.bin", "sub/deep/", "sub/deep/c.bin"}));
        QCOMPARE(Env::read(lib("T/sub/deep/c.bin")), QByteArray("C"));
    }

    void batchImportSortsWithoutRegardToCase()
    {
        Env::write("src/T/b.mc", "");
        Env::write("src/T/C.mc", "");
        Env::write("src/T/a.mc", "");
        Env::write("src/T/notes.txt", "");
        Env::write("src/T/Zed/z.mc", "");
        Env::write("src/T/alpha/y.mc", "");
        batchImport("src/T");
        QCOMPARE(lists(), (QStringList{"1,0:a b C", "1,1:alpha Zed", "2,0:y z"}));
    }

    void batchImportStopsAtLevelFive()
    {
        Env::write("src/T/1/2/3/4/e.mc", "E");
        Env::write("src/T/1/2/3/4/5/f.mc", "F");
        batchImport("src/T");
        QCOMPARE(lists(), (QStringList{"1,1:1", "2,1:2", "3,1:3", "4,1:4", "5,0:e"}));
        QVERIFY(QFileInfo::exists(lib("T/1/2/3/4/e.bin")));
        QVERIFY(!QFileInfo::exists(lib("T/1/2/3/4/5")));
    }

    void batchImportRefusals_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("desktop") << QStringLiteral("home/Desktop");
        QTest::newRow("desktop with slash") << QStringLiteral("home/Desktop/");
        QTest::newRow("hidden directory") << QStringLiteral("src/.hidden");
    }
    void batchImportRefusals()
    {
        QFETCH(QString, chosen);
        Env::write("home/Desktop/a.mc", "");
        Env::write("src/.hidden/a.mc", "");
        QCOMPARE(library().beginBatchImport(abs(chosen)), QString());
        library().runBatchImport();
        QVERIFY(lists().isEmpty());
        QVERIFY(Env::tree(lib("")).isEmpty());
    }

    void batchImportPassesOverUnsafeNames()
    {
        Env::write("src/T/ok.mc", "");
        Env::write("src/T/..mc", "");
        Env::write("src/T/a\\b.mc", "");
        Env::write("src/T/c:d/x.mc", "");
        Env::write("src/T/e,f.mc", "");
        batchImport("src/T");
        QCOMPARE(lists(), QStringList{"1,0:ok"});
        QCOMPARE(Env::tree(lib("")), (QStringList{"T/", "T/ok.bin"}));
        // What was passed over is there for the editor to report.
        QCOMPARE(library().refusedImportNames(), (QStringList{"a\\b.mc", "e,f.mc", "c:d"}));
    }

    // "*.mc" in any case is listed and copied alike.
    void batchImportTakesEitherCase()
    {
        Env::write("src/T/Upper.MC", "U");
        Env::write("src/T/lower.mc", "L");
        Env::write("src/T/Mixed.Mc", "M");
        batchImport("src/T");
        QCOMPARE(lists(), QStringList{"1,0:lower Mixed Upper"});
        QCOMPARE(Env::read(lib("T/Upper.bin")), QByteArray("U"));
        QCOMPARE(Env::read(lib("T/Mixed.bin")), QByteArray("M"));
        QCOMPARE(Env::read(lib("T/lower.bin")), QByteArray("L"));
        QVERIFY(library().refusedImportNames().isEmpty());
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
        Env::write("src/T/one.mc", "");
        batchImport("src/T");
        QCOMPARE(lists(), QStringList{"1,0:one"});
        library().scanFolder(name, level, 0);
        QVERIFY(lists().isEmpty());
    }

    void importNeverReplacesAMacro()
    {
        Env::write(lib("Combo.bin"), "mine");
        Env::write("in/Combo.mc", "theirs");
        QCOMPARE(library().importFile(abs("in/Combo.mc"), -1, -1), QStringLiteral("Combo"));
        QCOMPARE(Env::read(lib("Combo.bin")), QByteArray("mine"));
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
        Env::write(file, "x");
        QCOMPARE(library().importFile(abs(file), -1, -1), QString());
        QVERIFY(Env::tree(lib("")).isEmpty());
        QCOMPARE(library().refusedImportNames(), QStringList{QFileInfo(file).fileName()});
    }

    void exportThenImportIsByteEqual()
    {
        library().createEntry(QStringLiteral("Combo"), 3, 0, 0);
        library().saveMacro(0, QStringLiteral("Combo"), {"1,A", "0,50", "2,\\", "1,\u25BA"}, 2);
        const QByteArray original = Env::read(lib("Combo.bin"));
        QDir().mkpath("out");
        library().exportFile(abs("out/Combo.mc"), 0, QStringLiteral("Combo"));
        QCOMPARE(Env::read("out/Combo.mc"), original);
        library().deleteEntry(0, 0, QStringLiteral("Combo"));
        QCOMPARE(library().importFile(abs("out/Combo.mc"), 0, 0), QStringLiteral("Combo"));
        QCOMPARE(Env::read(lib("Combo.bin")), original);
    }

    void exportReplacesTheChosenFile()
    {
        Env::write(lib("Combo.bin"), "new");
        Env::write("out/Combo.mc", "old and longer");
        library().exportFile(abs("out/Combo.mc"), 0, QStringLiteral("Combo"));
        QCOMPARE(Env::read("out/Combo.mc"), QByteArray("new"));
        // A missing macro writes nothing.
        library().exportFile(abs("out/Other.mc"), 0, QStringLiteral("Missing"));
        QVERIFY(!QFileInfo::exists("out/Other.mc"));
    }

    void batchExportTwiceKeepsTheSecondContent()
    {
        QDir().mkpath(lib("F"));
        QDir().mkpath("out");
        for (const QByteArray content : {QByteArray("first"), QByteArray("second")}) {
            Env::write(lib("A.bin"), content);
            library().setExportRoot(abs("out"));
            library().exportEntries(0, {"A", "F", "ignored"}, {0, 1, 2});
        }
        QCOMPARE(Env::tree("out"), (QStringList{"Macro/", "Macro/A.mc", "Macro/F/"}));
        QCOMPARE(Env::read("out/Macro/A.mc"), QByteArray("second"));
    }

    // Once nothing is chosen, an earlier export root is no longer written to.
    void batchExportWithoutARootWritesNothing()
    {
        Env::write(lib("A.bin"), "x");
        QDir().mkpath("out");
        library().setExportRoot(abs("out"));
        library().setExportRoot(QString());
        library().exportEntries(0, {"A"}, {0});
        QCOMPARE(Env::tree(QStringLiteral(".")).filter(QStringLiteral(".mc")), QStringList());
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
        Env::write("in/Combo.mc", "x");
        env->selectFolders({"a", "b", "c", "d", "e"});
        QCOMPARE(library().importFile(abs("in/Combo.mc"), level, selectType), QStringLiteral("Combo"));
        const QStringList macros = Env::tree(lib("")).filter(QStringLiteral(".bin"));
        QCOMPARE(macros, target.isEmpty() ? QStringList() : QStringList{target});
    }

    void batchExportFollowsTheSelectedFolders()
    {
        Env::write(lib("Top.bin"), "top");
        Env::write(lib("G/a.bin"), "a");
        Env::write(lib("G/S/b.bin"), "b");
        QDir().mkpath("out");
        library().setExportRoot(abs("out"));
        env->selectFolders({});
        library().exportEntries(0, {"Top", "G"}, {0, 1});
        env->selectFolders({"G"});
        library().exportEntries(1, {"a", "S"}, {0, 1});
        env->selectFolders({"G", "S"});
        library().exportEntries(2, {"b"}, {0});
        QCOMPARE(Env::tree("out"),
                 (QStringList{"Macro/", "Macro/G/", "Macro/G/S/", "Macro/G/S/b.mc", "Macro/G/a.mc", "Macro/Top.mc"}));
        QCOMPARE(Env::read("out/Macro/G/S/b.mc"), QByteArray("b"));
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
        Env::write(lib("G/S/T/U/x.bin"), "");
        QByteArray index;
        for (const char* group : {"G", "GS", "GST", "GSTU", "Other", "macro"})
            index += QByteArray("[") + group + "]\nmacroName=x, emptyslotkey\nmacroType=0, emptyslotkey\n";
        Env::write(NameIndex::path(), index);
        library().scanFolder(QStringLiteral("G"), 0, deleteLevel);
        QStringList groups = openIni(NameIndex::path())->childGroups();
        groups.sort();
        QCOMPARE(groups, remaining);
        QCOMPARE(lists(), (QStringList{"1,1:S", "2,1:T", "3,1:U", "4,0:x"}));
    }

    void libraryScanOfANestedFolder()
    {
        Env::write(lib("G/S/T/x.bin"), "");
        Env::write(NameIndex::path(), "[S]\nmacroName=T, emptyslotkey\n[ST]\nmacroName=x, emptyslotkey\n");
        env->selectFolders({"G"});
        library().scanFolder(QStringLiteral("S"), 1, 0);
        QVERIFY(openIni(NameIndex::path())->childGroups().isEmpty());
        QCOMPARE(lists(), (QStringList{"1,1:T", "2,0:x"}));
    }

    void libraryScanListsTheTree()
    {
        Env::write(lib("G/b.bin"), "");
        Env::write(lib("G/A.bin"), "");
        Env::write(lib("G/S/c.bin"), "");
        Env::write(lib("G/S/T/d.bin"), "");
        Env::write(lib("G/notes.mc"), "");
        library().scanFolder(QStringLiteral("G"), 0, 0);
        QCOMPARE(lists(), (QStringList{"1,0:A b", "1,1:S", "2,0:c", "2,1:T", "3,0:d"}));
        // Nothing is created or copied.
        QCOMPARE(Env::tree(lib("")).size(), 8);
    }
};

QTEST_GUILESS_MAIN(TestMacroExchange)
#include "tst_macro_exchange.moc"

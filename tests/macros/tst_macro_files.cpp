// Macro files and folders of the library: creation, save and load, deletion,
// and the names that must never become library entries.
#include "macro_test_env.h"
#include "macros/folder_removal.h"
#include "settings/macro_selection.h"
#include <QFileInfo>
#include <QtTest>
#include <unistd.h>

class TestMacroFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<MacroTestEnv> env;
    myQQuickView& v() { return env->v(); }
    static QString lib(const QString& rel) { return QStringLiteral("modules/macro/") + rel; }

private slots:
    void init() { env = std::make_unique<MacroTestEnv>(); }
    void cleanup() { env.reset(); }

    void createdFileHoldsOnlyItsConfig()
    {
        QCOMPARE(v().createMacroIni(QStringLiteral("Combo"), 7, 0, 0), QVariant(true));
        QStringList config = MacroTestEnv::groupLines(lib("Combo.bin"), QStringLiteral("config"));
        config.sort();
        QCOMPARE(config, (QStringList{"did=-1", "index=7", "repeat=1", "total=0"}));
        QVERIFY(MacroTestEnv::groupLines(lib("Combo.bin"), QStringLiteral("macro")).isEmpty());
    }

    void saveAndLoadRoundTrip()
    {
        v().createMacroIni(QStringLiteral("Combo"), 0, 0, 0);
        QCOMPARE(v().saveMacroIni(0, QStringLiteral("Combo"), {"1,A", "0,50", "2,A"}, 3), QVariant(true));
        QCOMPARE(v().loadMacroIni(0, QStringLiteral("Combo")), (QStringList{"1,A", "0,50", "2,A", "3"}));
        // Each entry is one quoted string, never a list.
        QCOMPARE(MacroTestEnv::groupLines(lib("Combo.bin"), QStringLiteral("macro")),
                 (QStringList{"0=\"1,A\"", "1=\"0,50\"", "2=\"2,A\""}));
        QStringList config = MacroTestEnv::groupLines(lib("Combo.bin"), QStringLiteral("config"));
        config.sort();
        QCOMPARE(config, (QStringList{"did=-1", "index=0", "repeat=3", "total=3"}));
    }

    void shorterSaveLeavesNoStaleKeys()
    {
        v().createMacroIni(QStringLiteral("M"), 0, 0, 0);
        v().saveMacroIni(0, QStringLiteral("M"), {"1,A", "0,10", "2,A", "1,B", "2,B"}, 1);
        v().saveMacroIni(0, QStringLiteral("M"), {"1,C", "2,C"}, 2);
        QCOMPARE(MacroTestEnv::groupLines(lib("M.bin"), QStringLiteral("macro")),
                 (QStringList{"0=\"1,C\"", "1=\"2,C\""}));
        QVERIFY(MacroTestEnv::groupLines(lib("M.bin"), QStringLiteral("config")).contains("total=2"));
    }

    void emptySaveKeepsOnlyTheRepeatCount()
    {
        v().createMacroIni(QStringLiteral("M"), 0, 0, 0);
        v().saveMacroIni(0, QStringLiteral("M"), {"1,A", "2,A"}, 1);
        QCOMPARE(v().saveMacroIni(0, QStringLiteral("M"), {}, 5), QVariant(true));
        QVERIFY(!MacroTestEnv::read(lib("M.bin")).contains("[macro]"));
        QCOMPARE(v().loadMacroIni(0, QStringLiteral("M")), QStringList{"5"});
    }

    void entriesKeepTheirText_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("backslash from 0x32") << QStringLiteral("1,\\");
        QTest::newRow("unknown key has empty info") << QStringLiteral("1,");
        QTest::newRow("double quote") << QStringLiteral("2,\"");
        QTest::newRow("semicolon") << QStringLiteral("1,;");
        QTest::newRow("equals") << QStringLiteral("1,=");
        QTest::newRow("arrow") << QStringLiteral("1,\u25BC");
    }
    void entriesKeepTheirText()
    {
        QFETCH(QString, entry);
        v().createMacroIni(QStringLiteral("M"), 0, 0, 0);
        v().saveMacroIni(0, QStringLiteral("M"), {entry, "0,20", entry}, 1);
        QCOMPARE(v().loadMacroIni(0, QStringLiteral("M")), (QStringList{entry, "0,20", entry, "1"}));
    }

    void entriesAreQuotedByteByByte_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("key down") << QStringLiteral("1,A") << QByteArray("0=\"1,A\"");
        QTest::newRow("delay") << QStringLiteral("0,50") << QByteArray("0=\"0,50\"");
        QTest::newRow("backslash") << QStringLiteral("1,\\") << QByteArray("0=\"1,\\\\\"");
        QTest::newRow("double quote") << QStringLiteral("2,\"") << QByteArray("0=\"2,\\\"\"");
        QTest::newRow("unknown key") << QStringLiteral("1,") << QByteArray("0=\"1,\"");
        QTest::newRow("right arrow") << QStringLiteral("1,\u25BA") << QByteArray("0=\"1,\\x25ba\"");
        QTest::newRow("left arrow") << QStringLiteral("2,\u25C4") << QByteArray("0=\"2,\\x25c4\"");
        QTest::newRow("down arrow") << QStringLiteral("1,\u25BC") << QByteArray("0=\"1,\\x25bc\"");
        QTest::newRow("up arrow") << QStringLiteral("2,\u25B2") << QByteArray("0=\"2,\\x25b2\"");
        QTest::newRow("hex digit after an escape") << QStringLiteral("1,\u25BAA") << QByteArray("0=\"1,\\x25ba\\x41\"");
    }
    void entriesAreQuotedByteByByte()
    {
        QFETCH(QString, entry);
        QFETCH(QByteArray, line);
        v().createMacroIni(QStringLiteral("M"), 0, 0, 0);
        v().saveMacroIni(0, QStringLiteral("M"), {entry}, 1);
        const QByteArray file = MacroTestEnv::read(lib("M.bin"));
        QVERIFY2(file.contains("[macro]\n" + line + "\n"), file.constData());
        QCOMPARE(v().loadMacroIni(0, QStringLiteral("M")), (QStringList{entry, "1"}));
    }

    void entryPathsFollowTheSelectedFolders_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::newRow("0") << 0 << "Combo.bin" << "Sub";
        QTest::newRow("1") << 1 << "Games/Combo.bin" << "Games/Sub";
        QTest::newRow("2") << 2 << "Games/Shooter/Combo.bin" << "Games/Shooter/Sub";
        QTest::newRow("3") << 3 << "Games/Shooter/c/Combo.bin" << "Games/Shooter/c/Sub";
        QTest::newRow("4") << 4 << "Games/Shooter/c/d/Combo.bin" << "Games/Shooter/c/d/Sub";
        QTest::newRow("5") << 5 << "Games/Shooter/c/d/e/Combo.bin" << QString();
    }
    void entryPathsFollowTheSelectedFolders()
    {
        QFETCH(int, level);
        QFETCH(QString, file);
        QFETCH(QString, folder);
        QDir().mkpath(lib("Games/Shooter/c/d/e"));
        v().setMacroSelectName("Games", "Shooter", "c", "d", "e");
        QCOMPARE(v().createMacroIni(QStringLiteral("Combo"), 0, level, 0), QVariant(true));
        QVERIFY(QFileInfo(lib(file)).isFile());
        QCOMPARE(v().saveMacroIni(level, QStringLiteral("Combo"), {"1,A", "2,A"}, 1), QVariant(true));
        QCOMPARE(v().loadMacroIni(level, QStringLiteral("Combo")), (QStringList{"1,A", "2,A", "1"}));
        if (!folder.isEmpty()) {
            v().createMacroIni(QStringLiteral("Sub"), 0, level, 1);
            QVERIFY(QFileInfo(lib(folder)).isDir());
            QCOMPARE(v().deleteMacroIni(level, 1, QStringLiteral("Sub")), QVariant(true));
            QVERIFY(!QFileInfo::exists(lib(folder)));
        }
        QCOMPARE(v().deleteMacroIni(level, 0, QStringLiteral("Combo")), QVariant(true));
        QVERIFY(!QFileInfo::exists(lib(file)));
    }

    void unsafeSelectedFoldersLeadNowhere()
    {
        v().setMacroSelectName("..", "", "", "", "");
        QCOMPARE(v().createMacroIni(QStringLiteral("Combo"), 0, 1, 0), QVariant(false));
        QCOMPARE(v().deleteMacroIni(1, 1, QStringLiteral("macro")), QVariant(false));
        QVERIFY(QFileInfo(lib("")).isDir());
        QVERIFY(!QFileInfo::exists(QStringLiteral("modules/Combo.bin")));
        v().setMacroSelectName("", "", "", "", "");
    }

    void missingFiles()
    {
        QCOMPARE(v().saveMacroIni(0, QStringLiteral("Nope"), {"1,A"}, 1), QVariant(false));
        QVERIFY(!QFileInfo::exists(lib("Nope.bin")));
        QCOMPARE(v().loadMacroIni(0, QStringLiteral("Nope")), QStringList());
        QCOMPARE(v().deleteMacroIni(0, 0, QStringLiteral("Nope")), QVariant(false));
    }

    void foreignFileReadsWithDefaults()
    {
        // Missing entries read as "0", a missing repeat as "0"; an unquoted
        // entry read as a list is joined back; a huge count cannot run away.
        MacroTestEnv::write(lib("F.bin"), "[config]\ntotal=3\n[macro]\n0=1,A\n2=\"2,A\"\n");
        QCOMPARE(v().loadMacroIni(0, QStringLiteral("F")), (QStringList{"1,A", "0", "2,A", "0"}));
        MacroTestEnv::write(lib("G.bin"), "[config]\ntotal=2000000000\nrepeat=1\n");
        QCOMPARE(v().loadMacroIni(0, QStringLiteral("G")).size(), 4097);
    }

    void duplicateFolderWarnsOnce()
    {
        QCOMPARE(v().createMacroIni(QStringLiteral("Games"), 0, 0, 1), QVariant(true));
        QVERIFY(QFileInfo(lib("Games")).isDir());
        MacroTestEnv::write(lib("Games/A.bin"), "[config]\ntotal=0\n");
        QVERIFY(env->dialogs.warnings.isEmpty());
        QCOMPARE(v().createMacroIni(QStringLiteral("Games"), 0, 0, 1), QVariant(true));
        QCOMPARE(env->dialogs.warnings, QStringList{QStringLiteral("Create folder|Duplicate name\uFF01")});
        QCOMPARE(MacroTestEnv::tree(lib("")), (QStringList{"Games/", "Games/A.bin"}));
    }

    void levelOutsideTheLibraryDoesNothing()
    {
        QCOMPARE(v().createMacroIni(QStringLiteral("M"), 0, 6, 0), QVariant(true));
        QCOMPARE(v().createMacroIni(QStringLiteral("F"), 0, -1, 1), QVariant(true));
        QVERIFY(MacroTestEnv::tree(lib("")).isEmpty());
        QCOMPARE(v().saveMacroIni(6, QStringLiteral("M"), {"1,A"}, 1), QVariant(false));
        QCOMPARE(v().deleteMacroIni(6, 0, QStringLiteral("M")), QVariant(false));
        // A folder delete with no entry path must not touch anything.
        QCOMPARE(v().deleteMacroIni(6, 1, QStringLiteral("setting")), QVariant(false));
        QVERIFY(QFileInfo(QStringLiteral("modules/setting")).isDir());
    }

    void folderDeleteRemovesEverythingDeepestFirst()
    {
        MacroTestEnv::write(lib("G/a.bin"), "x");
        MacroTestEnv::write(lib("G/.hidden"), "x");
        MacroTestEnv::write(lib("G/S/b.bin"), "x");
        MacroTestEnv::write(lib("G/S/T/U/V/c.bin"), "x");
        QDir().mkpath(lib("G/Empty"));
        MacroTestEnv::write(lib("Other.bin"), "x");
        QCOMPARE(v().deleteMacroIni(0, 1, QStringLiteral("G")), QVariant(true));
        QCOMPARE(MacroTestEnv::tree(lib("")), QStringList{"Other.bin"});
        QCOMPARE(v().deleteMacroIni(0, 0, QStringLiteral("Other")), QVariant(true));
        QVERIFY(MacroTestEnv::tree(lib("")).isEmpty());
    }

    void folderDeleteEndsAtAnEntryItCannotRemove()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not bind the super-user");
        MacroTestEnv::write(lib("G/a.bin"), "x");
        MacroTestEnv::write(lib("G/S/locked.bin"), "x");
        MacroTestEnv::write(lib("G/S/b.bin"), "x");
        MacroTestEnv::write(lib("G/T/c.bin"), "x");
        QFile(lib("G/S/locked.bin")).setPermissions(QFile::ReadOwner);
        QCOMPARE(v().deleteMacroIni(0, 1, QStringLiteral("G")), QVariant(true));
        QCOMPARE(MacroTestEnv::tree(lib("")), (QStringList{"G/", "G/S/", "G/S/locked.bin"}));
        QFile(lib("G/S/locked.bin")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

    void treeRemovalLeavesWhatItMayNotRemove()
    {
        MacroTestEnv::write(lib("G/a.bin"), "x");
        MacroTestEnv::write(lib("G/S/locked.bin"), "x");
        MacroTestEnv::write(lib("G/S/R/b.bin"), "x");
        MacroTestEnv::write(lib("G/T/c.bin"), "x");
        const bool gone = FolderRemoval::removeFolderTree(lib("G"), [](const QFileInfo& e) {
            return e.fileName() != QLatin1String("locked.bin");
        });
        QVERIFY(!gone);
        QCOMPARE(MacroTestEnv::tree(lib("")), (QStringList{"G/", "G/S/", "G/S/locked.bin"}));
    }

    void folderDeleteNeverFollowsLinks()
    {
        MacroTestEnv::write(QStringLiteral("outside/keep.bin"), "x");
        QDir().mkpath(lib("G"));
        QVERIFY(QFile::link(QDir::current().absoluteFilePath(QStringLiteral("outside")), lib("G/link")));
        QCOMPARE(v().deleteMacroIni(0, 1, QStringLiteral("G")), QVariant(true));
        QVERIFY(!QFileInfo::exists(lib("G")));
        QVERIFY(QFileInfo::exists(QStringLiteral("outside/keep.bin")));
    }

    void unsafeNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent path") << QStringLiteral("../x");
        QTest::newRow("dot dot") << QStringLiteral("..");
        QTest::newRow("dot") << QStringLiteral(".");
        QTest::newRow("empty") << QString();
        QTest::newRow("slash") << QStringLiteral("a/b");
        QTest::newRow("backslash") << QStringLiteral("a\\b");
        QTest::newRow("absolute") << QStringLiteral("/tmp/x");
        QTest::newRow("colon") << QStringLiteral("c:x");
        QTest::newRow("star") << QStringLiteral("a*");
        QTest::newRow("control") << QStringLiteral("a\nb");
        QTest::newRow("trailing dot") << QStringLiteral("name.");
        QTest::newRow("trailing blank") << QStringLiteral("name ");
        QTest::newRow("device name") << QStringLiteral("CON");
        QTest::newRow("device name in any case") << QStringLiteral("Con");
        QTest::newRow("list separator") << QStringLiteral("a,b");
        QTest::newRow("equals sign") << QStringLiteral("a=b");
        QTest::newRow("leading blank") << QStringLiteral(" name");
        QTest::newRow("too long") << QString(241, QLatin1Char('n'));
    }
    void unsafeNamesAreRefused()
    {
        QFETCH(QString, name);
        MacroTestEnv::write(lib("Keep.bin"), "[config]\ntotal=0\n");
        const QStringList before = MacroTestEnv::tree(QStringLiteral("."));
        QCOMPARE(v().createMacroIni(name, 0, 0, 0), QVariant(false));
        QCOMPARE(v().createMacroIni(name, 0, 0, 1), QVariant(false));
        QCOMPARE(v().saveMacroIni(0, name, {"1,A"}, 1), QVariant(false));
        QCOMPARE(v().loadMacroIni(0, name), QStringList());
        QCOMPARE(v().deleteMacroIni(0, 0, name), QVariant(false));
        QCOMPARE(v().deleteMacroIni(0, 1, name), QVariant(false));
        QCOMPARE(MacroTestEnv::tree(QStringLiteral(".")), before);
        QVERIFY(env->dialogs.warnings.isEmpty());
        // The scene asks the same rule before it puts a name in the tree.
        QVERIFY(!v().isMacroNameAllowed(name));
    }

    void safeNamesAreAccepted_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("blank inside") << QStringLiteral("Quick combo");
        QTest::newRow("dot inside") << QStringLiteral("v1.2");
        QTest::newRow("non-ASCII") << QStringLiteral("\u8FDE\u62DB");
        QTest::newRow("longest") << QString(240, QLatin1Char('n'));
    }
    void safeNamesAreAccepted()
    {
        QFETCH(QString, name);
        QVERIFY(v().isMacroNameAllowed(name));
        QCOMPARE(v().createMacroIni(name, 0, 0, 0), QVariant(true));
        QVERIFY(QFileInfo::exists(lib(name + ".bin")));
        QCOMPARE(v().deleteMacroIni(0, 0, name), QVariant(true));
    }
};

QTEST_MAIN(TestMacroFiles)
#include "tst_macro_files.moc"

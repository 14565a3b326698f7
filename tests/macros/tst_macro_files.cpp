// Macro files and folders of the library: creation, save and load, deletion,
// and the names that must never become library entries.
#include "macro_test_env.h"
#include "macros/folder_removal.h"
#include "macros/macro_paths.h"
#include <QFileInfo>
#include <QtTest>
#include <unistd.h>

using Env = MacroTestEnv;

class TestMacroFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<MacroTestEnv> env;
    MacroLibrary& library() { return env->library(); }
    static QString lib(const QString& rel) { return Env::lib(rel); }

private slots:
    void init() { env = std::make_unique<MacroTestEnv>(); }
    void cleanup() { env.reset(); }

    // A created macro holds only its config; each save replaces the actions
    // and the repeat count, leaving no key of an earlier, longer save.
    void savesReplaceTheWholeMacro_data()
    {
        QTest::addColumn<QList<QStringList>>("saves"); // actions, the repeat count last
        QTest::addColumn<QStringList>("macroLines");
        QTest::addColumn<QStringList>("config");
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("created, never saved")
            << QList<QStringList>{} << QStringList{} << QStringList{"did=-1", "index=7", "repeat=1", "total=0"}
            << QStringList{"1"};
        // Each entry is one quoted string, never a list.
        QTest::newRow("one save")
            << QList<QStringList>{{"1,A", "0,50", "2,A", "3"}}
            << QStringList{"0=\"1,A\"", "1=\"0,50\"", "2=\"2,A\""}
            << QStringList{"did=-1", "index=7", "repeat=3", "total=3"} << QStringList{"1,A", "0,50", "2,A", "3"};
        QTest::newRow("shorter save leaves no stale keys")
            << QList<QStringList>{{"1,A", "0,10", "2,A", "1,B", "2,B", "1"}, {"1,C", "2,C", "2"}}
            << QStringList{"0=\"1,C\"", "1=\"2,C\""} << QStringList{"did=-1", "index=7", "repeat=2", "total=2"}
            << QStringList{"1,C", "2,C", "2"};
        QTest::newRow("empty save keeps only the repeat count")
            << QList<QStringList>{{"1,A", "2,A", "1"}, {"5"}} << QStringList{}
            << QStringList{"did=-1", "index=7", "repeat=5", "total=0"} << QStringList{"5"};
    }
    void savesReplaceTheWholeMacro()
    {
        QFETCH(QList<QStringList>, saves);
        QFETCH(QStringList, macroLines);
        QFETCH(QStringList, config);
        QFETCH(QStringList, loaded);
        QVERIFY(library().createEntry(QStringLiteral("Combo"), 7, 0, 0));
        for (QStringList actions : saves) {
            const QString repeat = actions.takeLast();
            QVERIFY(library().saveMacro(0, QStringLiteral("Combo"), actions, repeat));
        }
        QCOMPARE(Env::groupLines(lib("Combo.bin"), QStringLiteral("macro")), macroLines);
        if (macroLines.isEmpty())
            QVERIFY(!Env::read(lib("Combo.bin")).contains("[macro]"));
        QStringList stored = Env::groupLines(lib("Combo.bin"), QStringLiteral("config"));
        stored.sort();
        QCOMPARE(stored, config);
        QCOMPARE(library().loadMacro(0, QStringLiteral("Combo")), loaded);
    }

    // Every entry is stored quoted, byte by byte, and reads back as it was.
    void entriesKeepTheirText_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("quoted");
        QTest::newRow("key down") << QStringLiteral("1,A") << QByteArray("\"1,A\"");
        QTest::newRow("delay") << QStringLiteral("0,50") << QByteArray("\"0,50\"");
        QTest::newRow("backslash from 0x32") << QStringLiteral("1,\\") << QByteArray("\"1,\\\\\"");
        QTest::newRow("double quote") << QStringLiteral("2,\"") << QByteArray("\"2,\\\"\"");
        QTest::newRow("unknown key has empty info") << QStringLiteral("1,") << QByteArray("\"1,\"");
        QTest::newRow("semicolon") << QStringLiteral("1,;") << QByteArray("\"1,;\"");
        QTest::newRow("equals") << QStringLiteral("1,=") << QByteArray("\"1,=\"");
        QTest::newRow("right arrow") << QStringLiteral("1,\u25BA") << QByteArray("\"1,\\x25ba\"");
        QTest::newRow("left arrow") << QStringLiteral("2,\u25C4") << QByteArray("\"2,\\x25c4\"");
        QTest::newRow("down arrow") << QStringLiteral("1,\u25BC") << QByteArray("\"1,\\x25bc\"");
        QTest::newRow("up arrow") << QStringLiteral("2,\u25B2") << QByteArray("\"2,\\x25b2\"");
        QTest::newRow("hex digit after an escape") << QStringLiteral("1,\u25BAA") << QByteArray("\"1,\\x25ba\\x41\"");
    }
    void entriesKeepTheirText()
    {
        QFETCH(QString, entry);
        QFETCH(QByteArray, quoted);
        library().createEntry(QStringLiteral("M"), 0, 0, 0);
        library().saveMacro(0, QStringLiteral("M"), {entry, "0,20", entry}, 1);
        const QByteArray file = Env::read(lib("M.bin"));
        const QByteArray expected = "[macro]\n0=" + quoted + "\n1=\"0,20\"\n2=" + quoted + "\n";
        QVERIFY2(file.contains(expected), file.constData());
        QCOMPARE(library().loadMacro(0, QStringLiteral("M")), (QStringList{entry, "0,20", entry, "1"}));
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
        env->selectFolders({"Games", "Shooter", "c", "d", "e"});
        QVERIFY(library().createEntry(QStringLiteral("Combo"), 0, level, 0));
        QVERIFY(QFileInfo(lib(file)).isFile());
        QVERIFY(library().saveMacro(level, QStringLiteral("Combo"), {"1,A", "2,A"}, 1));
        QCOMPARE(library().loadMacro(level, QStringLiteral("Combo")), (QStringList{"1,A", "2,A", "1"}));
        if (!folder.isEmpty()) {
            library().createEntry(QStringLiteral("Sub"), 0, level, 1);
            QVERIFY(QFileInfo(lib(folder)).isDir());
            QVERIFY(library().deleteEntry(level, 1, QStringLiteral("Sub")));
            QVERIFY(!QFileInfo::exists(lib(folder)));
        }
        QVERIFY(library().deleteEntry(level, 0, QStringLiteral("Combo")));
        QVERIFY(!QFileInfo::exists(lib(file)));
    }

    void unsafeSelectedFoldersLeadNowhere()
    {
        env->selectFolders({".."});
        QVERIFY(!library().createEntry(QStringLiteral("Combo"), 0, 1, 0));
        QVERIFY(!library().deleteEntry(1, 1, QStringLiteral("macro")));
        QVERIFY(QFileInfo(lib("")).isDir());
        QVERIFY(!QFileInfo::exists(QStringLiteral("modules/Combo.bin")));
    }

    void missingFiles()
    {
        QVERIFY(!library().saveMacro(0, QStringLiteral("Nope"), {"1,A"}, 1));
        QVERIFY(!QFileInfo::exists(lib("Nope.bin")));
        QCOMPARE(library().loadMacro(0, QStringLiteral("Nope")), QStringList());
        QVERIFY(!library().deleteEntry(0, 0, QStringLiteral("Nope")));
    }

    void foreignFileReadsWithDefaults()
    {
        // Missing entries read as "0", a missing repeat as "0"; an unquoted
        // entry read as a list is joined back; a huge count cannot run away.
        Env::write(lib("F.bin"), "[config]\ntotal=3\n[macro]\n0=1,A\n2=\"2,A\"\n");
        QCOMPARE(library().loadMacro(0, QStringLiteral("F")), (QStringList{"1,A", "0", "2,A", "0"}));
        Env::write(lib("G.bin"), "[config]\ntotal=2000000000\nrepeat=1\n");
        QCOMPARE(library().loadMacro(0, QStringLiteral("G")).size(), 4097);
    }

    void duplicateFolderWarnsOnce()
    {
        QVERIFY(library().createEntry(QStringLiteral("Games"), 0, 0, 1));
        QVERIFY(QFileInfo(lib("Games")).isDir());
        Env::write(lib("Games/A.bin"), "[config]\ntotal=0\n");
        QVERIFY(env->warnings.isEmpty());
        QVERIFY(library().createEntry(QStringLiteral("Games"), 0, 0, 1));
        QCOMPARE(env->warnings, QStringList{QStringLiteral("Create folder|Duplicate name\uFF01")});
        QCOMPARE(Env::tree(lib("")), (QStringList{"Games/", "Games/A.bin"}));
    }

    void levelOutsideTheLibraryDoesNothing()
    {
        QVERIFY(library().createEntry(QStringLiteral("M"), 0, 6, 0));
        QVERIFY(library().createEntry(QStringLiteral("F"), 0, -1, 1));
        QVERIFY(Env::tree(lib("")).isEmpty());
        QVERIFY(!library().saveMacro(6, QStringLiteral("M"), {"1,A"}, 1));
        QVERIFY(!library().deleteEntry(6, 0, QStringLiteral("M")));
        // A folder delete with no entry path must not touch anything.
        QVERIFY(!library().deleteEntry(6, 1, QStringLiteral("setting")));
        QVERIFY(QFileInfo(QStringLiteral("modules/setting")).isDir());
    }

    void folderDeleteRemovesEverythingDeepestFirst()
    {
        Env::write(lib("G/a.bin"), "x");
        Env::write(lib("G/.hidden"), "x");
        Env::write(lib("G/S/b.bin"), "x");
        Env::write(lib("G/S/T/U/V/c.bin"), "x");
        QDir().mkpath(lib("G/Empty"));
        Env::write(lib("Other.bin"), "x");
        QVERIFY(library().deleteEntry(0, 1, QStringLiteral("G")));
        QCOMPARE(Env::tree(lib("")), QStringList{"Other.bin"});
        QVERIFY(library().deleteEntry(0, 0, QStringLiteral("Other")));
        QVERIFY(Env::tree(lib("")).isEmpty());
    }

    void folderDeleteEndsAtAnEntryItCannotRemove()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not bind the super-user");
        Env::write(lib("G/a.bin"), "x");
        Env::write(lib("G/S/locked.bin"), "x");
        Env::write(lib("G/S/b.bin"), "x");
        Env::write(lib("G/T/c.bin"), "x");
        QFile(lib("G/S/locked.bin")).setPermissions(QFile::ReadOwner);
        QVERIFY(library().deleteEntry(0, 1, QStringLiteral("G")));
        QCOMPARE(Env::tree(lib("")), (QStringList{"G/", "G/S/", "G/S/locked.bin"}));
        QFile(lib("G/S/locked.bin")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

    void treeRemovalLeavesWhatItMayNotRemove()
    {
        Env::write(lib("G/a.bin"), "x");
        Env::write(lib("G/S/locked.bin"), "x");
        Env::write(lib("G/S/R/b.bin"), "x");
        Env::write(lib("G/T/c.bin"), "x");
        const bool gone = FolderRemoval::removeFolderTree(lib("G"), [](const QFileInfo& e) {
            return e.fileName() != QLatin1String("locked.bin");
        });
        QVERIFY(!gone);
        QCOMPARE(Env::tree(lib("")), (QStringList{"G/", "G/S/", "G/S/locked.bin"}));
    }

    void folderDeleteNeverFollowsLinks()
    {
        Env::write(QStringLiteral("outside/keep.bin"), "x");
        QDir().mkpath(lib("G"));
        QVERIFY(QFile::link(QDir::current().absoluteFilePath(QStringLiteral("outside")), lib("G/link")));
        QVERIFY(library().deleteEntry(0, 1, QStringLiteral("G")));
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
        // The scene asks the same rule before it puts a name in the tree.
        QVERIFY(!MacroPaths::isSafeName(name));
        Env::write(lib("Keep.bin"), "[config]\ntotal=0\n");
        const QStringList before = Env::tree(QStringLiteral("."));
        QVERIFY(!library().createEntry(name, 0, 0, 0));
        QVERIFY(!library().createEntry(name, 0, 0, 1));
        QVERIFY(!library().saveMacro(0, name, {"1,A"}, 1));
        QCOMPARE(library().loadMacro(0, name), QStringList());
        QVERIFY(!library().deleteEntry(0, 0, name));
        QVERIFY(!library().deleteEntry(0, 1, name));
        QCOMPARE(Env::tree(QStringLiteral(".")), before);
        QVERIFY(env->warnings.isEmpty());
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
        QVERIFY(MacroPaths::isSafeName(name));
        // Existing entries keep working; the editor gives no new name a dot,
        // which an export and import would cut off.
        QCOMPARE(MacroPaths::isNewEntryName(name), !name.contains(QLatin1Char('.')));
        QVERIFY(library().createEntry(name, 0, 0, 0));
        QVERIFY(QFileInfo::exists(lib(name + ".bin")));
        QVERIFY(library().deleteEntry(0, 0, name));
    }
};

QTEST_GUILESS_MAIN(TestMacroFiles)
#include "tst_macro_files.moc"

// Renaming library entries on disk, and unbinding a deleted macro in the
// stored profiles.
#include "macro_test_env.h"
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

using Env = MacroTestEnv;

class TestMacroPropagation : public QObject {
    Q_OBJECT
    std::unique_ptr<MacroTestEnv> env;
    MacroLibrary& library() { return env->library(); }
    static QString lib(const QString& rel) { return Env::lib(rel); }
    static QString profile(int slot) { return QStringLiteral("modules/setting/p%1.bin").arg(slot + 1); }

    // A profile whose buttons 2 and 5 play macro slots 3 and 6, both bound to
    // `macro`, and whose button 7 plays slot 8 bound to "Other".
    static QByteArray boundProfile(const QByteArray& macro)
    {
        return "[mouseKeyMatrix]\n0=1, 240, 0, 0\n2=4, 1, 3, 0\n5=4, 2, 6, 0\n7=4, 1, 8, 0\n"
               "[mouseMacroKey]\n3=" + macro + "\n6=" + macro + "\n8=Other\n";
    }
    QStringList matrix(int slot, int button)
    {
        return env->profiles().slot(slot)->value(QStringLiteral("mouseKeyMatrix/%1").arg(button)).toStringList();
    }

private slots:
    void init() { env = std::make_unique<MacroTestEnv>(); }
    void cleanup() { env.reset(); }

    void deleteUnbindsInListedProfilesOnly()
    {
        Env::write("modules/setting/pD.bin",
                   "[mouseKeyMatrix]\n0=1, 240, 0, 0\n2=1, 242, 0, 0\n5=1, 244, 0, 0\n7=1, 243, 0, 0\n");
        for (int slot : {0, 2, 6, 7, 8, 9})
            Env::write(profile(slot), boundProfile("Boom"));
        Env::write(profile(1), boundProfile("Boomer"));
        library().unbindFromProfiles(QStringLiteral("Boom"));
        for (int slot : {0, 2}) {
            QCOMPARE(matrix(slot, 2), (QStringList{"1", "242", "0", "0"}));
            QCOMPARE(matrix(slot, 5), (QStringList{"1", "244", "0", "0"}));
            QCOMPARE(matrix(slot, 7), (QStringList{"4", "1", "8", "0"}));
            QCOMPARE(matrix(slot, 0), (QStringList{"1", "240", "0", "0"}));
            // The names stay; only the binding changes.
            QCOMPARE(env->profiles().slot(slot)->value("mouseMacroKey/3").toString(), QStringLiteral("Boom"));
        }
        for (int slot : {1, 6, 7, 8, 9})
            QCOMPARE(matrix(slot, 2), (QStringList{"4", "1", "3", "0"}));
    }

    void deleteOfAnUnboundNameChangesNothing()
    {
        Env::write("modules/setting/pD.bin", "[mouseKeyMatrix]\n2=1, 242, 0, 0\n");
        Env::write(profile(0), boundProfile("Boom") + "[x]\n");
        Env::write(profile(3), "[mouseKeyMatrix]\n2=4\n[mouseMacroKey]\n4=Boom\n");
        library().unbindFromProfiles(QStringLiteral("boom"));
        library().unbindFromProfiles(QStringLiteral("Folder"));
        QCOMPARE(matrix(0, 2), (QStringList{"4", "1", "3", "0"}));
        // A plain value is no binding.
        library().unbindFromProfiles(QStringLiteral("Boom"));
        QCOMPARE(env->profiles().slot(3)->value("mouseKeyMatrix/2").toString(), QStringLiteral("4"));
    }

    // Every file is written holding its own path; after the rename the
    // library holds `tree`, and `moved` holds what `from` held.
    void renameMovesTheEntry_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("moved");
        QTest::newRow("file") << QStringList{"A.bin"} << QStringList{} << 0 << 0 << "A" << "B"
                              << QStringList{"B.bin"} << "A.bin" << "B.bin";
        QTest::newRow("folder with its content")
            << QStringList{"G/a.bin", "G/S/b.bin"} << QStringList{} << 0 << 1 << "G" << "H"
            << QStringList{"H/", "H/S/", "H/S/b.bin", "H/a.bin"} << "G/S/b.bin" << "H/S/b.bin";
        QTest::newRow("file inside the selected folders")
            << QStringList{"G/S/A.bin", "G/S/F/x.bin", "A.bin"} << QStringList{"G", "S"} << 2 << 0 << "A" << "B"
            << QStringList{"A.bin", "G/", "G/S/", "G/S/B.bin", "G/S/F/", "G/S/F/x.bin"} << "G/S/A.bin" << "G/S/B.bin";
        QTest::newRow("folder inside the selected folders")
            << QStringList{"G/S/A.bin", "G/S/F/x.bin", "A.bin"} << QStringList{"G", "S"} << 2 << 1 << "F" << "H"
            << QStringList{"A.bin", "G/", "G/S/", "G/S/A.bin", "G/S/H/", "G/S/H/x.bin"} << "G/S/F/x.bin"
            << "G/S/H/x.bin";
    }
    void renameMovesTheEntry()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, selected);
        QFETCH(int, level);
        QFETCH(int, type);
        QFETCH(QString, oldName);
        QFETCH(QString, newName);
        QFETCH(QStringList, tree);
        QFETCH(QString, from);
        QFETCH(QString, moved);
        for (const QString& file : files)
            Env::write(lib(file), file.toUtf8());
        env->selectFolders(selected);
        QVERIFY(library().renameEntry(level, type, oldName, newName));
        QCOMPARE(Env::tree(lib("")), tree);
        QCOMPARE(Env::read(lib(moved)), from.toUtf8());
    }

    void renameOntoAnExistingNameChangesNothing_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("file") << 0 << QStringLiteral("A.bin") << QStringLiteral("B.bin");
        QTest::newRow("folder onto an empty folder") << 1 << QStringLiteral("G/x.bin") << QStringLiteral("H/");
        QTest::newRow("folder onto a folder") << 1 << QStringLiteral("G/x.bin") << QStringLiteral("H/y.bin");
    }
    void renameOntoAnExistingNameChangesNothing()
    {
        QFETCH(int, type);
        QFETCH(QString, from);
        QFETCH(QString, to);
        Env::write(lib(from), "from");
        if (to.endsWith(QLatin1Char('/')))
            QDir().mkpath(lib(to));
        else
            Env::write(lib(to), "to");
        const QStringList before = Env::tree(lib(""));
        const QString oldName = from.section(QLatin1Char('/'), 0, 0).section(QLatin1Char('.'), 0, 0);
        const QString newName = to.section(QLatin1Char('/'), 0, 0).section(QLatin1Char('.'), 0, 0);
        QVERIFY(!library().renameEntry(0, type, oldName, newName));
        QCOMPARE(Env::tree(lib("")), before);
        QCOMPARE(Env::read(lib(from)), QByteArray("from"));
    }

    void renameRefusals_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("missing file") << 0 << 0 << QStringLiteral("Nope") << QStringLiteral("B");
        QTest::newRow("missing folder") << 0 << 1 << QStringLiteral("Nope") << QStringLiteral("B");
        QTest::newRow("out of the library") << 0 << 0 << QStringLiteral("A") << QStringLiteral("../A");
        QTest::newRow("into a folder") << 0 << 1 << QStringLiteral("G") << QStringLiteral("G/H");
        QTest::newRow("empty name") << 0 << 0 << QStringLiteral("A") << QString();
        QTest::newRow("level 6") << 6 << 0 << QStringLiteral("A") << QStringLiteral("B");
    }
    void renameRefusals()
    {
        QFETCH(int, level);
        QFETCH(int, type);
        QFETCH(QString, from);
        QFETCH(QString, to);
        Env::write(lib("A.bin"), "a");
        Env::write(lib("G/x.bin"), "x");
        const QStringList before = Env::tree(QStringLiteral("."));
        QVERIFY(!library().renameEntry(level, type, from, to));
        QCOMPARE(Env::tree(QStringLiteral(".")), before);
    }
};

QTEST_GUILESS_MAIN(TestMacroPropagation)
#include "tst_macro_propagation.moc"

// Renaming library entries on disk, and unbinding a deleted macro in the
// stored profiles.
#include "macro_test_env.h"
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

class TestMacroPropagation : public QObject {
    Q_OBJECT
    std::unique_ptr<MacroTestEnv> env;
    myQQuickView& v() { return env->v(); }
    static QString lib(const QString& rel) { return QStringLiteral("modules/macro/") + rel; }
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
        return v().profiles().slot(slot)->value(QStringLiteral("mouseKeyMatrix/%1").arg(button)).toStringList();
    }

private slots:
    void init() { env = std::make_unique<MacroTestEnv>(); }
    void cleanup() { env.reset(); }

    void deleteUnbindsInListedProfilesOnly()
    {
        MacroTestEnv::write("modules/setting/pD.bin",
                            "[mouseKeyMatrix]\n0=1, 240, 0, 0\n2=1, 242, 0, 0\n5=1, 244, 0, 0\n7=1, 243, 0, 0\n");
        for (int slot : {0, 2, 6, 7, 8, 9})
            MacroTestEnv::write(profile(slot), boundProfile("Boom"));
        MacroTestEnv::write(profile(1), boundProfile("Boomer"));
        v().deleteMacroUpdateProfile(QStringLiteral("Boom"));
        for (int slot : {0, 2}) {
            QCOMPARE(matrix(slot, 2), (QStringList{"1", "242", "0", "0"}));
            QCOMPARE(matrix(slot, 5), (QStringList{"1", "244", "0", "0"}));
            QCOMPARE(matrix(slot, 7), (QStringList{"4", "1", "8", "0"}));
            QCOMPARE(matrix(slot, 0), (QStringList{"1", "240", "0", "0"}));
            // The names stay; only the binding changes.
            QCOMPARE(v().profiles().slot(slot)->value("mouseMacroKey/3").toString(), QStringLiteral("Boom"));
        }
        for (int slot : {1, 6, 7, 8, 9})
            QCOMPARE(matrix(slot, 2), (QStringList{"4", "1", "3", "0"}));
    }

    void deleteOfAnUnboundNameChangesNothing()
    {
        MacroTestEnv::write("modules/setting/pD.bin", "[mouseKeyMatrix]\n2=1, 242, 0, 0\n");
        MacroTestEnv::write(profile(0), boundProfile("Boom") + "[x]\n");
        MacroTestEnv::write(profile(3), "[mouseKeyMatrix]\n2=4\n[mouseMacroKey]\n4=Boom\n");
        v().deleteMacroUpdateProfile(QStringLiteral("boom"));
        v().deleteMacroUpdateProfile(QStringLiteral("Folder"));
        QCOMPARE(matrix(0, 2), (QStringList{"4", "1", "3", "0"}));
        // A plain value is no binding.
        v().deleteMacroUpdateProfile(QStringLiteral("Boom"));
        QCOMPARE(v().profiles().slot(3)->value("mouseKeyMatrix/2").toString(), QStringLiteral("4"));
    }

    void renameAFile()
    {
        MacroTestEnv::write(lib("A.bin"), "a");
        QCOMPARE(v().modifyMacroNameUpdateProfile(0, 0, QStringLiteral("A"), QStringLiteral("B")), QVariant(true));
        QCOMPARE(MacroTestEnv::tree(lib("")), QStringList{"B.bin"});
        QCOMPARE(MacroTestEnv::read(lib("B.bin")), QByteArray("a"));
    }

    void renameAFolderMovesItsContent()
    {
        MacroTestEnv::write(lib("G/a.bin"), "a");
        MacroTestEnv::write(lib("G/S/b.bin"), "b");
        QCOMPARE(v().modifyMacroNameUpdateProfile(0, 1, QStringLiteral("G"), QStringLiteral("H")), QVariant(true));
        QCOMPARE(MacroTestEnv::tree(lib("")), (QStringList{"H/", "H/S/", "H/S/b.bin", "H/a.bin"}));
    }

    void renameInsideTheSelectedFolders()
    {
        MacroTestEnv::write(lib("G/S/A.bin"), "a");
        MacroTestEnv::write(lib("G/S/F/x.bin"), "x");
        MacroTestEnv::write(lib("A.bin"), "top");
        v().setMacroSelectName("G", "S", "", "", "");
        QCOMPARE(v().modifyMacroNameUpdateProfile(2, 0, QStringLiteral("A"), QStringLiteral("B")), QVariant(true));
        QCOMPARE(v().modifyMacroNameUpdateProfile(2, 1, QStringLiteral("F"), QStringLiteral("H")), QVariant(true));
        QCOMPARE(MacroTestEnv::tree(lib("")),
                 (QStringList{"A.bin", "G/", "G/S/", "G/S/B.bin", "G/S/H/", "G/S/H/x.bin"}));
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
        MacroTestEnv::write(lib(from), "from");
        if (to.endsWith(QLatin1Char('/')))
            QDir().mkpath(lib(to));
        else
            MacroTestEnv::write(lib(to), "to");
        const QStringList before = MacroTestEnv::tree(lib(""));
        const QString oldName = from.section(QLatin1Char('/'), 0, 0).section(QLatin1Char('.'), 0, 0);
        const QString newName = to.section(QLatin1Char('/'), 0, 0).section(QLatin1Char('.'), 0, 0);
        QCOMPARE(v().modifyMacroNameUpdateProfile(0, type, oldName, newName), QVariant(false));
        QCOMPARE(MacroTestEnv::tree(lib("")), before);
        QCOMPARE(MacroTestEnv::read(lib(from)), QByteArray("from"));
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
        MacroTestEnv::write(lib("A.bin"), "a");
        MacroTestEnv::write(lib("G/x.bin"), "x");
        const QStringList before = MacroTestEnv::tree(QStringLiteral("."));
        QCOMPARE(v().modifyMacroNameUpdateProfile(level, type, from, to), QVariant(false));
        QCOMPARE(MacroTestEnv::tree(QStringLiteral(".")), before);
    }
};

QTEST_MAIN(TestMacroPropagation)
#include "tst_macro_propagation.moc"

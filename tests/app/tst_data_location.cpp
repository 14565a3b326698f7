// Where the program works: next to a writable portable copy, otherwise in the
// user's data directory seeded from the shipped tree without overwriting.
#include "app/data_location.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestDataLocation : public QObject {
    Q_OBJECT
private slots:
    void portableCopyWorksBesideTheExecutable()
    {
        QTemporaryDir root;
        QDir().mkpath(root.path() + "/bin/modules/setting");
        const DataLocation where = resolveDataLocation(root.path() + "/bin", root.path() + "/data");
        QCOMPARE(where.workingDirectory, root.path() + "/bin");
        QVERIFY(where.shippedModules.isEmpty());
    }

    void installedCopyWorksInTheUserDataDirectory_data()
    {
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("XDG_DATA_HOME set") << "/xdg" << "/xdg/halcyon";
        QTest::newRow("default") << "" << QDir::homePath() + "/.local/share/halcyon";
    }
    void installedCopyWorksInTheUserDataDirectory()
    {
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, expected);
        QTemporaryDir prefix;
        QDir().mkpath(prefix.path() + "/bin");
        QDir().mkpath(prefix.path() + "/share/halcyon/modules/setting");
        const DataLocation where = resolveDataLocation(prefix.path() + "/bin", xdgDataHome);
        QCOMPARE(where.workingDirectory, expected);
        QCOMPARE(where.shippedModules, prefix.path() + "/share/halcyon/modules");
    }

    void seedingCopiesMissingFilesAndKeepsTheUsers()
    {
        QTemporaryDir root;
        const QString shipped = root.path() + "/shipped";
        const QString user = root.path() + "/user/modules";
        writeFile(shipped + "/setting/p1.bin", "[mouse]\nshipped=1\n");
        writeFile(shipped + "/i18n/English.ini", "english");
        QDir().mkpath(shipped + "/macro");

        QCOMPARE(seedUserData(shipped, user), 2);  // a fresh directory receives the tree
        QCOMPARE(readFile(user + "/setting/p1.bin"), QByteArray("[mouse]\nshipped=1\n"));
        QVERIFY(QFileInfo(user + "/macro").isDir());

        writeFile(user + "/setting/p1.bin", "[mouse]\nmine=1\n");   // the user's own change
        writeFile(shipped + "/i18n/German.ini", "deutsch");         // shipped by a later version
        QCOMPARE(seedUserData(shipped, user), 1);
        QCOMPARE(readFile(user + "/setting/p1.bin"), QByteArray("[mouse]\nmine=1\n"));
        QCOMPARE(readFile(user + "/i18n/German.ini"), QByteArray("deutsch"));
        QCOMPARE(seedUserData(shipped, user), 0);
    }

    // The user's copy is private: folders it creates 0700, files 0600 (the
    // shipped ones are world-readable); a folder that exists keeps its mode.
    void seededDataIsPrivate()
    {
        QTemporaryDir root;
        const QString shipped = root.path() + "/shipped";
        writeFile(shipped + "/setting/p1.bin", "[mouse]\n");
        QDir().mkpath(shipped + "/macro");
        QFile::setPermissions(shipped + "/setting/p1.bin", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QString open = root.path() + "/open";
        QDir().mkdir(open);
        const auto wide = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser
            | QFile::ExeUser | QFile::ReadGroup
            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QFile::setPermissions(open, wide);
        const auto privateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
            | QFile::WriteUser | QFile::ExeUser;
        const auto privateFile = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        for (const QString& user : {root.path() + "/data/halcyon/modules", open + "/modules"}) {
            QCOMPARE(seedUserData(shipped, user), 1);
            for (const QString& folder : {user, user + "/setting", user + "/macro"})
                QCOMPARE(QFile::permissions(folder), privateFolder);
            QCOMPARE(QFile::permissions(user + "/setting/p1.bin"), privateFile);
        }
        QCOMPARE(QFile::permissions(root.path() + "/data/halcyon"), privateFolder);
        QCOMPARE(QFile::permissions(open), wide);
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_data_location.moc"

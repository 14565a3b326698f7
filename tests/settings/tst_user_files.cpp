// Files the user names for export, and the data folder's own files: no
// write goes through a link or into a device, FIFO or folder, and nothing
// outside the data folder is written through a link inside it.
#include "macros/macro_library.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/macro_selection.h"
#include "settings/name_index.h"
#include "settings/user_files.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>
#include <sys/stat.h>

namespace {
int modeOf(const QString& path)
{
    struct stat st = {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}
} // namespace

class TestUserFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        work->writeSettingsSet();
        work->write(QStringLiteral("modules/macro/Rapid.bin"), "[config]\ntotal=0\n");
        work->write(QStringLiteral("mine.txt"), "the user's own file\n");
    }
    void cleanup() { work.reset(); }

    // What each exporter does with the target the user chose. "written"
    // means the target now holds the export; otherwise everything at the
    // name, and whatever a link there points to, is as it was.
    void exportTargets_data()
    {
        QTest::addColumn<QString>("exporter");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("written");
        for (const char* exporter : {"profile", "macro"}) {
            QTest::addRow("%s to a new file", exporter) << exporter << "new.out" << true;
            QTest::addRow("%s over a file (confirmed)", exporter) << exporter << "old.out" << true;
            QTest::addRow("%s to a link to a file", exporter) << exporter << "link.out" << false;
            QTest::addRow("%s to a dangling link", exporter) << exporter << "dangling.out" << false;
            QTest::addRow("%s to a FIFO", exporter) << exporter << "fifo.out" << false;
            QTest::addRow("%s to a folder", exporter) << exporter << "folder.out" << false;
            QTest::addRow("%s to /dev/full", exporter) << exporter << "/dev/full" << false;
            QTest::addRow("%s to /dev/zero", exporter) << exporter << "/dev/zero" << false;
        }
    }
    void exportTargets()
    {
        QFETCH(QString, exporter);
        QFETCH(QString, target);
        QFETCH(bool, written);
        work->write(QStringLiteral("old.out"), "old\n");
        QFile::setPermissions(work->path(QStringLiteral("old.out")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(QFile::link(work->path(QStringLiteral("mine.txt")), work->path(QStringLiteral("link.out"))));
        QVERIFY(QFile::link(work->path(QStringLiteral("created.txt")), work->path(QStringLiteral("dangling.out"))));
        QCOMPARE(::mkfifo(QFile::encodeName(work->path(QStringLiteral("fifo.out"))).constData(), 0600), 0);
        QVERIFY(QDir().mkpath(work->path(QStringLiteral("folder.out"))));
        const QString path = target.startsWith(QLatin1Char('/')) ? target : work->path(target);
        const int modeBefore = modeOf(path);
        {
            SettingsStores stores;
            MacroSelection selection;
            selection.setLevel(QStringLiteral("0"));
            MacroLibrary macros(stores.profiles, NameIndex::instance(), selection);
            if (exporter == QLatin1String("profile"))
                QCOMPARE(stores.profiles.exportSlot(1, path), written);
            else
                macros.exportFile(path, 0, QStringLiteral("Rapid"));
        }
        const QString source = exporter == QLatin1String("profile") ? QStringLiteral("modules/setting/p2.bin")
                                                                     : QStringLiteral("modules/macro/Rapid.bin");
        if (written) {
            QCOMPARE(work->read(target), work->read(source));
            // A new file is the user's alone; a replaced one keeps its mode.
            QCOMPARE(modeOf(path), modeBefore < 0 ? 0600 : modeBefore);
        } else {
            QCOMPARE(modeOf(path), modeBefore);
        }
        QCOMPARE(work->read(QStringLiteral("mine.txt")), QByteArray("the user's own file\n"));
        QVERIFY(!work->exists(QStringLiteral("created.txt")));
        QCOMPARE(QDir(work->path(QStringLiteral("folder.out"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
        // No temporary file is left beside any target.
        QCOMPARE(QDir(work->path(QString())).entryList({QStringLiteral(".*.out.*")}, QDir::Files | QDir::Hidden),
                 QStringList());
    }

    // Reading back what was written stops at the size written.
    void holdsIsBounded()
    {
        QVERIFY(!UserFiles::holds(QStringLiteral("/dev/zero"), QByteArray(16, '\0')));
        work->write(QStringLiteral("a"), "abc");
        QVERIFY(UserFiles::holds(work->path(QStringLiteral("a")), "abc"));
        QVERIFY(!UserFiles::holds(work->path(QStringLiteral("a")), "ab"));
    }

    // Writes of the data folder's files, by the settings handles and by the
    // one-shot writer, through links planted in it.
    void dataFolderLinks_data()
    {
        QTest::addColumn<QString>("linkTarget");  // relative to the work folder
        QTest::addColumn<bool>("written");
        QTest::newRow("link to a file outside") << "mine.txt" << false;
        QTest::newRow("dangling link outside") << "created.txt" << false;
        QTest::newRow("link inside the data folder") << "modules/setting/p9.bin" << true;
    }
    void dataFolderLinks()
    {
        QFETCH(QString, linkTarget);
        QFETCH(bool, written);
        const QString slotFile = work->path(QStringLiteral("modules/setting/p3.bin"));
        const QString indexFile = work->path(QStringLiteral("modules/setting/other.bin"));
        QFile::remove(slotFile);
        QVERIFY(QFile::link(work->path(linkTarget), slotFile));
        QVERIFY(QFile::link(work->path(linkTarget), indexFile));
        const QByteArray before = work->read(linkTarget);
        {
            SettingsStores stores;
            stores.profiles.setCurrentSlot(2);
            stores.profiles.setValue(QStringLiteral("mouse/mouseRate"), 7);
        }
        QCOMPARE(work->read(linkTarget).contains("mouseRate=7"), written);
        if (!written)
            QCOMPARE(work->read(linkTarget), before);
        QCOMPARE(writeFileAtomically(QStringLiteral("./modules/setting/other.bin"), "x=1\n"), written);
        QCOMPARE(work->read(linkTarget) == "x=1\n", written);
        QCOMPARE(work->exists(QStringLiteral("created.txt")), false);
    }
};

QTEST_GUILESS_MAIN(TestUserFiles)
#include "tst_user_files.moc"

// Imports above 1 MiB are refused before anything is read or written, with a
// warning to the user; files up to the limit import as before.
#include "macros/macro_library.h"
#include "settings/import_limit.h"
#include "settings/macro_selection.h"
#include "settings/name_index.h"
#include "settings/user_warnings.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>
#include <sys/stat.h>

namespace {
// An INI text of exactly `size` bytes.
QByteArray iniOfSize(qint64 size)
{
    QByteArray text = "[config]\ntotal=0\nrepeat=1\n;";
    text += QByteArray(size - text.size() - 1, 'x');
    text += '\n';
    return text;
}
} // namespace

class TestImportLimit : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<SettingsStores> stores;
    MacroSelection selection;
    std::unique_ptr<MacroLibrary> macros;
    // One line per warning: title|text.
    QStringList warnings;

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        work->writeSettingsSet();
        QDir().mkpath(work->path(QStringLiteral("modules/macro")));
        stores = std::make_unique<SettingsStores>();
        selection = MacroSelection();
        selection.setLevel(QStringLiteral("0"));
        macros = std::make_unique<MacroLibrary>(stores->profiles, NameIndex::instance(), selection);
        warnings.clear();
        UserWarnings::setHandler([this](const QString& title, const QString& text) {
            warnings << title + QLatin1Char('|') + text;
        });
    }
    void cleanup()
    {
        UserWarnings::setHandler({});
        macros.reset();
        stores.reset();
        work.reset();
    }

    void singleImports_data()
    {
        QTest::addColumn<QString>("importer");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("accepted");
        for (const char* importer : {"profile", "macro"}) {
            QTest::addRow("%s of 1 MiB", importer) << QString::fromLatin1(importer) << ImportLimit::MaxBytes << true;
            QTest::addRow("%s of 1 MiB + 1", importer) << QString::fromLatin1(importer) << ImportLimit::MaxBytes + 1 << false;
            QTest::addRow("%s of 8 MB", importer) << QString::fromLatin1(importer) << qint64(8'000'000) << false;
        }
    }
    void singleImports()
    {
        QFETCH(QString, importer);
        QFETCH(qint64, size);
        QFETCH(bool, accepted);
        const bool profile = importer == QLatin1String("profile");
        const QString name = profile ? QStringLiteral("big.pf") : QStringLiteral("big.mc");
        work->write(name, iniOfSize(size));
        const QString source = work->path(name);
        const QString target = profile ? QStringLiteral("modules/setting/p2.bin") : QStringLiteral("modules/macro/big.bin");
        const QByteArray before = work->read(target);
        if (profile)
            QCOMPARE(stores->profiles.importSlot(1, source), accepted);
        else
            QCOMPARE(macros->importFile(source, -1, 0).isEmpty(), !accepted);
        if (accepted) {
            QCOMPARE(work->read(target).size(), size);
            QCOMPARE(warnings, QStringList());
        } else {
            if (profile)
                QCOMPARE(work->read(target), before);
            else
                QVERIFY(!work->exists(target));
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings.first().contains(name), qPrintable(warnings.first()));
        }
    }

    // Files that are not regular files are refused by what they are, at
    // once: a device that never ends, a link to it, a FIFO nobody writes
    // to, a folder, a file the system makes up as it is read.
    void specialSourcesRefused_data()
    {
        QTest::addColumn<QString>("importer");
        QTest::addColumn<QString>("source");
        for (const char* importer : {"profile", "macro"}) {
            QTest::addRow("%s from /dev/zero", importer) << importer << "/dev/zero";
            QTest::addRow("%s from a link to /dev/zero", importer) << importer << "zero.mc";
            QTest::addRow("%s from a FIFO", importer) << importer << "fifo.mc";
            QTest::addRow("%s from a folder", importer) << importer << "folder.mc";
            QTest::addRow("%s from /proc/self/environ", importer) << importer << "/proc/self/environ";
        }
    }
    void specialSourcesRefused()
    {
        QFETCH(QString, importer);
        QFETCH(QString, source);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), work->path(QStringLiteral("zero.mc"))));
        QCOMPARE(::mkfifo(QFile::encodeName(work->path(QStringLiteral("fifo.mc"))).constData(), 0600), 0);
        QVERIFY(QDir().mkpath(work->path(QStringLiteral("folder.mc"))));
        const QString path = source.startsWith(QLatin1Char('/')) ? source : work->path(source);
        const bool profile = importer == QLatin1String("profile");
        const QByteArray before = work->read(QStringLiteral("modules/setting/p2.bin"));
        if (profile)
            QVERIFY(!stores->profiles.importSlot(1, path));
        else
            QVERIFY(macros->importFile(path, -1, 0).isEmpty());
        QCOMPARE(work->read(QStringLiteral("modules/setting/p2.bin")), before);
        QCOMPARE(QDir(work->path(QStringLiteral("modules/macro"))).entryList(QDir::Files), QStringList());
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().endsWith(QStringLiteral(" is not a regular file and was not imported.")),
                 qPrintable(warnings.first()));
    }

    // A batch imports what is within the limit and names what it refused in
    // one warning.
    void batchImportSkipsLargeFiles()
    {
        work->write(QStringLiteral("Pack/small.mc"), iniOfSize(100));
        work->write(QStringLiteral("Pack/huge.mc"), iniOfSize(ImportLimit::MaxBytes + 1));
        work->write(QStringLiteral("Pack/Sub/huge2.mc"), iniOfSize(3 * ImportLimit::MaxBytes));
        QCOMPARE(macros->beginBatchImport(work->path(QStringLiteral("Pack"))), QStringLiteral("Pack"));
        macros->runBatchImport();
        QVERIFY(work->exists(QStringLiteral("modules/macro/Pack/small.bin")));
        QVERIFY(!work->exists(QStringLiteral("modules/macro/Pack/huge.bin")));
        QVERIFY(!work->exists(QStringLiteral("modules/macro/Pack/Sub/huge2.bin")));
        QCOMPARE(macros->batchNames(1, 0), QStringList{QStringLiteral("small")});
        QCOMPARE(macros->batchNames(2, 0), QStringList());
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().contains(QStringLiteral("huge.mc")) && warnings.first().contains(QStringLiteral("1 more")),
                 qPrintable(warnings.first()));
    }
};

QTEST_GUILESS_MAIN(TestImportLimit)
#include "tst_import_limit.moc"

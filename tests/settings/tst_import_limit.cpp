// Imports above 1 MiB are refused before anything is read or written, with a
// message to the user; files up to the limit import as before.
#include "app/myqquickview.h"
#include "settings/import_limit.h"
#include "settings/macro_selection.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>

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
private slots:
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
        SettingsWorkdir work;
        work.writeSettingsSet();
        QDir().mkpath(work.path(QStringLiteral("modules/macro")));
        RecordingDialogs dialogs;
        myQQuickView view;
        MacroSelection::setNames(QStringList(5, QString()));
        MacroSelection::setLevel(QStringLiteral("0"));
        const QString source = work.path(importer == QLatin1String("profile") ? QStringLiteral("big.pf")
                                                                              : QStringLiteral("big.mc"));
        work.write(QFileInfo(source).fileName(), iniOfSize(size));
        dialogs.answers << source;
        QString target;
        const QByteArray before = work.read(QStringLiteral("modules/setting/p2.bin"));
        if (importer == QLatin1String("profile")) {
            QCOMPARE(view.loadProfile(1), accepted);
            target = QStringLiteral("modules/setting/p2.bin");
        } else {
            QCOMPARE(view.loadMacroFile(-1, 0).isEmpty(), !accepted);
            target = QStringLiteral("modules/macro/big.bin");
        }
        const QStringList warnings = dialogs.asked.filter(QStringLiteral("warning|"));
        if (accepted) {
            QCOMPARE(work.read(target).size(), size);
            QCOMPARE(warnings, QStringList());
        } else {
            if (importer == QLatin1String("profile"))
                QCOMPARE(work.read(target), before);
            else
                QVERIFY(!work.exists(target));
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings.first().contains(QFileInfo(source).fileName()), qPrintable(warnings.first()));
        }
    }

    // A batch imports what is within the limit and names what it refused in
    // one message.
    void batchImportSkipsLargeFiles()
    {
        SettingsWorkdir work;
        work.writeSettingsSet();
        QDir().mkpath(work.path(QStringLiteral("modules/macro")));
        RecordingDialogs dialogs;
        myQQuickView view;
        MacroSelection::setNames(QStringList(5, QString()));
        MacroSelection::setLevel(QStringLiteral("0"));
        work.write(QStringLiteral("Pack/small.mc"), iniOfSize(100));
        work.write(QStringLiteral("Pack/huge.mc"), iniOfSize(ImportLimit::MaxBytes + 1));
        work.write(QStringLiteral("Pack/Sub/huge2.mc"), iniOfSize(3 * ImportLimit::MaxBytes));
        dialogs.answers << work.path(QStringLiteral("Pack"));
        QCOMPARE(view.loadMacroFile_batch(), QStringLiteral("Pack"));
        view.loadMacroFile_sub_batch();
        QVERIFY(work.exists(QStringLiteral("modules/macro/Pack/small.bin")));
        QVERIFY(!work.exists(QStringLiteral("modules/macro/Pack/huge.bin")));
        QVERIFY(!work.exists(QStringLiteral("modules/macro/Pack/Sub/huge2.bin")));
        QCOMPARE(view.getMacroFileName_batch(1, 0), QStringList{QStringLiteral("small")});
        QCOMPARE(view.getMacroFileName_batch(2, 0), QStringList());
        const QStringList warnings = dialogs.asked.filter(QStringLiteral("warning|"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().contains(QStringLiteral("huge.mc")) && warnings.first().contains(QStringLiteral("1 more")),
                 qPrintable(warnings.first()));
    }
};

QTEST_MAIN(TestImportLimit)
#include "tst_import_limit.moc"

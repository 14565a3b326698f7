// The view's part in macro exchange: each import and export slot asks its
// file dialog (caption, start folder, filter) and hands the macro library
// what the user chose; a cancelled dialog reaches the library as no path,
// and nothing is read or written.
#include "app/myqquickview.h"
#include "tests/app/recording_dialogs.h"
#include "tests/settings/settings_fixture.h"
#include <QDirIterator>
#include <QStandardPaths>
#include <QtTest>

namespace {
// Every file and folder below the working directory, relative, sorted.
QStringList workTree()
{
    QStringList out;
    QDirIterator it(QStringLiteral("."), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = QDir::current().relativeFilePath(it.next());
        out << p + (it.fileInfo().isDir() ? QStringLiteral("/") : QString());
    }
    out.sort();
    return out;
}

QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}
} // namespace

class TestViewMacroDialogs : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<RecordingDialogs> dialogs;
    std::unique_ptr<myQQuickView> view;

    // Runs the slot as the scene does; returns what it returned.
    QString run(const QString& slot)
    {
        if (slot == QLatin1String("loadMacroFile"))
            return view->loadMacroFile(-1, -1);
        if (slot == QLatin1String("saveMacroFile")) {
            view->saveMacroFile(0, QStringLiteral("A"));
            return QString();
        }
        if (slot == QLatin1String("loadMacroFile_batch")) {
            const QString name = view->loadMacroFile_batch();
            view->loadMacroFile_sub_batch();
            return name;
        }
        // getbatchPath: the export that follows goes below the chosen folder.
        view->getbatchPath();
        view->saveMacroFile_batch(0, {"A"}, {0});
        return QString();
    }

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        work->write(QStringLiteral("modules/macro/A.bin"), "a");
        work->write(QStringLiteral("in/Combo.mc"), "c");
        work->write(QStringLiteral("src/T/b.mc"), "b");
        QDir().mkpath(QStringLiteral("out"));
        dialogs = std::make_unique<RecordingDialogs>();
        view = std::make_unique<myQQuickView>();
    }
    void cleanup()
    {
        view.reset();
        dialogs.reset();
        work.reset();
    }

    void slotsAskTheirDialog_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("answer"); // empty: cancelled
        // kind|caption|start|filter; the start is the desktop, a save dialog's
        // with the suggested name after it
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("import") << "loadMacroFile" << "in/Combo.mc" << "open|Open File||Macro(*.mc)" << "Combo"
                                << QStringList{"modules/macro/Combo.bin"};
        QTest::newRow("import cancelled") << "loadMacroFile" << QString() << "open|Open File||Macro(*.mc)" << QString()
                                          << QStringList{};
        QTest::newRow("export") << "saveMacroFile" << "out/A.mc" << "save|Save File|/A.mc|Macro(*.mc)" << QString()
                                << QStringList{"out/A.mc"};
        QTest::newRow("export cancelled") << "saveMacroFile" << QString() << "save|Save File|/A.mc|Macro(*.mc)" << QString()
                                          << QStringList{};
        QTest::newRow("batch import") << "loadMacroFile_batch" << "src/T" << "directory|Open Directory||" << "T"
                                      << QStringList{"modules/macro/T/", "modules/macro/T/b.bin"};
        QTest::newRow("batch import cancelled") << "loadMacroFile_batch" << QString() << "directory|Open Directory||"
                                                << QString() << QStringList{};
        QTest::newRow("batch export") << "getbatchPath" << "out" << "directory|Save File||" << QString()
                                      << QStringList{"out/Macro/", "out/Macro/A.mc"};
        QTest::newRow("batch export cancelled") << "getbatchPath" << QString() << "directory|Save File||" << QString()
                                                << QStringList{};
    }
    void slotsAskTheirDialog()
    {
        QFETCH(QString, slot);
        QFETCH(QString, answer);
        QFETCH(QString, asked);
        QFETCH(QString, result);
        QFETCH(QStringList, added);
        const QStringList before = workTree();
        if (!answer.isEmpty())
            dialogs->answers << QDir::current().absoluteFilePath(answer);
        QCOMPARE(run(slot), result);
        const QString kind = asked.section(QLatin1Char('|'), 0, 1);
        const QString suggested = asked.section(QLatin1Char('|'), 2, 2);
        const QString filter = asked.section(QLatin1Char('|'), 3);
        QCOMPARE(dialogs->asked, QStringList{kind + QLatin1Char('|') + desktop() + suggested + QLatin1Char('|') + filter});
        QStringList now = workTree();
        for (const QString& p : before)
            now.removeOne(p);
        QCOMPARE(now, added);
    }
};

QTEST_MAIN(TestViewMacroDialogs)
#include "tst_view_macro_dialogs.moc"

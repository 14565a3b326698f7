// Failed writes of settings files, driven through the file fault layer: every
// slot that writes a file, failing at each step of the write. The file keeps
// its old content, the slot reports failure where it returns a result, and the
// user sees one warning naming the file and the reason.
#include "app/myqquickview.h"
#include "app/user_dialogs.h"
#include "settings/file_faults.h"
#include "settings/file_replace.h"
#include "settings/write_failures.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {
const QString Shipped = QStringLiteral(HALCYON_SOURCE_DIR "/data/modules");
const QString Reason = QStringLiteral("No space left on device");

class Dialogs : public UserDialogs {
public:
    QStringList answers;
    QStringList warnings;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return next(); }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return next(); }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return next(); }
    void warning(QWidget*, const QString& title, const QString& text) override
    {
        warnings << title + QLatin1Char('|') + text;
    }

private:
    QString next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};

// The shipped data tree in a throw-away working directory.
struct Env {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    Dialogs dialogs;
    std::unique_ptr<myQQuickView> view;

    Env()
    {
        QDirIterator it(Shipped, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = dir.path() + QStringLiteral("/modules/") + QDir(Shipped).relativeFilePath(from);
            QDir().mkpath(QFileInfo(to).path());
            QFile::copy(from, to);
        }
        QDir::setCurrent(dir.path());
        UserDialogs::install(&dialogs);
        view = std::make_unique<myQQuickView>();
    }
    ~Env()
    {
        FileFaults::clear();
        view.reset();
        QCoreApplication::processEvents();   // warnings still queued go to this case's dialogs
        UserDialogs::install(nullptr);
        QDir::setCurrent(previous);
    }
    QString path(const QString& rel) const { return dir.path() + QLatin1Char('/') + rel; }
    void write(const QString& rel, const QByteArray& bytes) const
    {
        QFile f(path(rel));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // The file's bytes, or a marker for a file that does not exist.
    QByteArray read(const QString& rel) const
    {
        QFile f(path(rel));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArrayLiteral("<absent>");
    }
};

// One writing slot: prepares what it needs, then writes `file` (relative to
// the working directory). Returns the slot's result, or an invalid value for
// a slot that returns nothing.
struct WriteCase {
    QString file;
    std::function<void(Env&)> prepare;
    std::function<QVariant(Env&)> run;
};

QVariantList sixItems(const QString& name)
{
    return {name, QStringLiteral("L-Click"), 10, 0, 10, 0};
}

QMap<QString, WriteCase> writeCases()
{
    const auto none = [](Env&) {};
    QMap<QString, WriteCase> cases;
    cases["copyProfile"] = {"modules/setting/p2.bin",
                            [](Env& e) {
                                e.view->setCurrentProfile(0);
                                e.view->setData(QStringLiteral("mouse/copied"), 1);
                            },
                            [](Env& e) {
                                e.view->copyProfile(1, 0);
                                return QVariant();
                            }};
    cases["loadProfile"] = {"modules/setting/p2.bin",
                            [](Env& e) { e.write(QStringLiteral("in.pf"), "[mouse]\nimported=1\n"); },
                            [](Env& e) {
                                e.dialogs.answers << e.path(QStringLiteral("in.pf"));
                                return QVariant(e.view->loadProfile(1));
                            }};
    cases["resetProfile"] = {"modules/setting/p2.bin",
                             [](Env& e) { e.write(QStringLiteral("modules/setting/p2.bin"), "[mouse]\nmine=1\n"); },
                             [](Env& e) {
                                 e.view->resetProfile(1);
                                 return QVariant();
                             }};
    cases["resetApconfig"] = {"modules/setting/apConfig.bin",
                              [](Env& e) {
                                  e.write(QStringLiteral("modules/setting/apConfig.bin"),
                                          e.read(QStringLiteral("modules/setting/apConfig.bin")) + "\n[extra]\nx=1\n");
                              },
                              [](Env& e) {
                                  e.view->resetApconfig();
                                  return QVariant();
                              }};
    cases["saveProfile"] = {"out.pf", [](Env& e) { e.write(QStringLiteral("out.pf"), "old export\n"); },
                            [](Env& e) {
                                e.dialogs.answers << e.path(QStringLiteral("out.pf"));
                                e.view->saveProfile(0);
                                return QVariant();
                            }};
    cases["setData"] = {"modules/setting/p1.bin", none, [](Env& e) {
                            e.view->setCurrentProfile(0);
                            e.view->setData(QStringLiteral("mouse/edited"), 7);
                            return QVariant();
                        }};
    cases["setGlobalData"] = {"modules/setting/apConfig.bin", none, [](Env& e) {
                                  e.view->setGlobalData(QStringLiteral("common/language"), QStringLiteral("German"));
                                  return QVariant();
                              }};
    cases["createMacroIni"] = {"modules/macro/fresh.bin", none, [](Env& e) {
                                   return e.view->createMacroIni(QStringLiteral("fresh"), 3, 0, 0);
                               }};
    cases["saveMacroIni"] = {"modules/macro/kept.bin",
                             [](Env& e) { QVERIFY(e.view->createMacroIni(QStringLiteral("kept"), 3, 0, 0).toBool()); },
                             [](Env& e) {
                                 return e.view->saveMacroIni(0, QStringLiteral("kept"), {"1,A", "0,50", "2,A"}, 1);
                             }};
    cases["updataNameList"] = {"modules/setting/name.bin", none, [](Env& e) {
                                   return e.view->updataNameList(2, {QStringLiteral("new profile0")});
                               }};
    cases["updataMacroList"] = {"modules/setting/name.bin", none, [](Env& e) {
                                    const QStringList one{QStringLiteral("x")};
                                    return e.view->updataMacroList(1, 0, QString(), one, {"0"}, {"false"}, {"20"},
                                                                   {"0"}, {"-1"}, {"-1"}, {"-1"}, {"-1"}, {"-1"});
                                }};
    cases["mouseSaveGundata"] = {"modules/gun/gunData.bin", none, [](Env& e) {
                                     e.view->mouseSaveGundata(QStringLiteral("new"), sixItems(QStringLiteral("new")));
                                     return QVariant();
                                 }};
    cases["modifyGundata"] = {"modules/gun/gunData.bin", none, [](Env& e) {
                                  e.view->modifyGundata(1, {"renamed", "L-Click", 10, 0, 10, 0, "0"});
                                  return QVariant();
                              }};
    cases["saveMacroFile"] = {"out.mc",
                              [](Env& e) {
                                  QVERIFY(e.view->createMacroIni(QStringLiteral("exp"), 3, 0, 0).toBool());
                                  e.write(QStringLiteral("out.mc"), "old export\n");
                              },
                              [](Env& e) {
                                  e.dialogs.answers << e.path(QStringLiteral("out.mc"));
                                  e.view->saveMacroFile(0, QStringLiteral("exp"));
                                  return QVariant();
                              }};
    cases["loadMacroFile"] = {"modules/macro/imported.bin",
                              [](Env& e) { e.write(QStringLiteral("imported.mc"), "[config]\ntotal=0\n"); },
                              [](Env& e) {
                                  e.dialogs.answers << e.path(QStringLiteral("imported.mc"));
                                  e.view->loadMacroFile(-1, 0);
                                  return QVariant();
                              }};
    cases["setDataList"] = {"modules/setting/p1.bin", none, [](Env& e) {
                                e.view->setCurrentProfile(0);
                                e.view->setDataList(QStringLiteral("mouseKeyMatrix/3"), {1, 2, 3, 4});
                                return QVariant();
                            }};
    cases["saveMacroFile_batch"] = {"export/Macro/bx.mc",
                                    [](Env& e) {
                                        QVERIFY(e.view->createMacroIni(QStringLiteral("bx"), 3, 0, 0).toBool());
                                        QDir().mkpath(e.path(QStringLiteral("export")));
                                        e.dialogs.answers << e.path(QStringLiteral("export"));
                                        e.view->getbatchPath();
                                    },
                                    [](Env& e) {
                                        e.view->saveMacroFile_batch(0, {"bx"}, {0});
                                        return QVariant();
                                    }};
    cases["loadMacroFile_sub_batch"] = {"modules/macro/Pack/a.bin",
                                        [](Env& e) {
                                            QDir().mkpath(e.path(QStringLiteral("Pack")));
                                            e.write(QStringLiteral("Pack/a.mc"), "[config]\ntotal=0\n");
                                            e.dialogs.answers << e.path(QStringLiteral("Pack"));
                                            QCOMPARE(e.view->loadMacroFile_batch(), QStringLiteral("Pack"));
                                        },
                                        [](Env& e) {
                                            e.view->loadMacroFile_sub_batch();
                                            return QVariant();
                                        }};
    return cases;
}

// Slots that rename library entries: only the rename step applies.
QMap<QString, WriteCase> renameCases()
{
    QMap<QString, WriteCase> cases;
    cases["rename macro"] = {"modules/macro/old.bin",
                             [](Env& e) { QVERIFY(e.view->createMacroIni(QStringLiteral("old"), 3, 0, 0).toBool()); },
                             [](Env& e) { return e.view->modifyMacroNameUpdateProfile(0, 0, QStringLiteral("old"), QStringLiteral("new")); }};
    cases["rename folder"] = {"modules/macro/Old/",
                              [](Env& e) { QVERIFY(e.view->createMacroIni(QStringLiteral("Old"), 0, 0, 1).toBool()); },
                              [](Env& e) { return e.view->modifyMacroNameUpdateProfile(0, 1, QStringLiteral("Old"), QStringLiteral("New")); }};
    return cases;
}

struct Step {
    const char* name;
    FileFaults::Step step;
};
const Step Steps[] = {{"write", FileFaults::Step::Write},
                      {"flush", FileFaults::Step::Flush},
                      {"commit", FileFaults::Step::Commit},
                      {"rename", FileFaults::Step::Rename}};
} // namespace

class TestWriteFailures : public QObject {
    Q_OBJECT
private slots:
    void failedWriteKeepsTheFileAndWarnsOnce_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<int>("step");
        for (const QString& slot : writeCases().keys())
            for (const Step& s : Steps)
                QTest::addRow("%s %s", qPrintable(slot), s.name) << slot << int(s.step);
    }
    void failedWriteKeepsTheFileAndWarnsOnce()
    {
        QFETCH(QString, slot);
        QFETCH(int, step);
        const WriteCase c = writeCases().value(slot);
        Env env;
        c.prepare(env);
        for (int k = 0; k < 3; ++k)   // pending writes of the preparation reach the disk
            QCoreApplication::processEvents();
        env.dialogs.warnings.clear();
        const QByteArray before = env.read(c.file);

        // A full disk stays full: every write until the end of the case fails.
        FileFaults::failNext(FileFaults::Step(step), Reason, -1);
        const QVariant result = c.run(env);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        QCOMPARE(env.read(c.file), before);
        if (result.isValid())
            QCOMPARE(result.toBool(), false);
        QCOMPARE(env.dialogs.warnings.size(), 1);
        QVERIFY2(env.dialogs.warnings.first().contains(QDir::toNativeSeparators(c.file)),
                 qPrintable(env.dialogs.warnings.first()));
        QVERIFY2(env.dialogs.warnings.first().contains(Reason), qPrintable(env.dialogs.warnings.first()));
        // No temporary file is left beside the target.
        const QStringList beside = QDir(QFileInfo(env.path(c.file)).path()).entryList(QDir::Files);
        for (const QString& name : beside)
            QVERIFY2(!name.startsWith(QFileInfo(c.file).fileName() + QLatin1Char('.')), qPrintable(name));
    }

    void failedRenameKeepsTheEntryAndWarns_data()
    {
        QTest::addColumn<QString>("slot");
        for (const QString& slot : renameCases().keys())
            QTest::newRow(qPrintable(slot)) << slot;
    }
    void failedRenameKeepsTheEntryAndWarns()
    {
        QFETCH(QString, slot);
        const WriteCase c = renameCases().value(slot);
        Env env;
        c.prepare(env);
        QCoreApplication::processEvents();
        FileFaults::failNext(FileFaults::Step::Rename, Reason);
        QCOMPARE(c.run(env).toBool(), false);
        QVERIFY(QFileInfo::exists(env.path(c.file)));
        QCoreApplication::processEvents();
        QCOMPARE(env.dialogs.warnings.size(), 1);
        QVERIFY2(env.dialogs.warnings.first().contains(Reason), qPrintable(env.dialogs.warnings.first()));
        // Without the fault the same rename works.
        QCOMPARE(c.run(env).toBool(), true);
        QVERIFY(!QFileInfo::exists(env.path(c.file)));
    }

    // The same slots without a fault write their file and report success.
    void writesWithoutFaultsSucceed_data()
    {
        QTest::addColumn<QString>("slot");
        for (const QString& slot : writeCases().keys())
            QTest::newRow(qPrintable(slot)) << slot;
    }
    void writesWithoutFaultsSucceed()
    {
        QFETCH(QString, slot);
        const WriteCase c = writeCases().value(slot);
        Env env;
        c.prepare(env);
        const QByteArray before = env.read(c.file);
        const QVariant result = c.run(env);
        env.view.reset();   // long-lived handles write back at the latest here
        QCoreApplication::processEvents();
        QVERIFY(env.read(c.file) != before);
        if (result.isValid())
            QCOMPARE(result.toBool(), true);
        QCOMPARE(env.dialogs.warnings, QStringList());
    }

    // One warning per file while its writes keep failing; after a write of it
    // succeeds, the next failure warns again.
    void warningIsShownOncePerFailingFile()
    {
        Env env;
        FileFaults::failNext(FileFaults::Step::Flush, Reason, 3);
        for (int k = 0; k < 3; ++k)
            env.view->resetProfile(1);
        env.view->resetProfile(2);
        QCoreApplication::processEvents();
        QCOMPARE(env.dialogs.warnings.size(), 1);
        env.view->resetProfile(1);   // the faults are used up: this one works
        FileFaults::failNext(FileFaults::Step::Commit, QStringLiteral("Input/output error"));
        env.view->resetProfile(1);
        QCoreApplication::processEvents();
        QCOMPARE(env.dialogs.warnings.size(), 2);
        QVERIFY(env.dialogs.warnings.last().contains(QStringLiteral("Input/output error")));
    }

    // After a failed write the pages read what the files hold, not the
    // change that could not be saved.
    void readsAfterAFailureShowTheFile()
    {
        Env env;
        const QVariantList names = env.view->getNameList(2);
        QStringList guns = env.view->getGunDataKey();
        FileFaults::failNext(FileFaults::Step::Write, Reason, -1);
        QCOMPARE(env.view->updataNameList(2, {QStringLiteral("A0"), QStringLiteral("B1")}).toBool(), false);
        env.view->modifyGundata(1, {"renamed", "L-Click", 10, 0, 10, 0, "0"});
        env.view->modifyGundata(0, {"1"});
        QCOMPARE(env.view->getNameList(2), names);
        QCOMPARE(env.view->getGunDataKey(), guns);
        // Once the disk has room again nothing of the failed changes appears.
        FileFaults::clear();
        QVERIFY(env.view->updataNameList(1, {QStringLiteral("g1"), QStringLiteral("g2")}).toBool());
        QCOMPARE(env.view->getNameList(2), names);
        QCOMPARE(env.view->getGunDataKey(), guns);
        QCoreApplication::processEvents();
        QCOMPARE(env.dialogs.warnings.size(), 2);
    }

    // Faults can be planned after a number of successful steps.
    void faultAfterSuccessfulWrites()
    {
        Env env;
        FileFaults::failNext(FileFaults::Step::Write, Reason, 1, 1);
        QVERIFY(writeFileAtomically(env.path(QStringLiteral("a.txt")), "first"));
        QVERIFY(!writeFileAtomically(env.path(QStringLiteral("a.txt")), "second"));
        QVERIFY(writeFileAtomically(env.path(QStringLiteral("a.txt")), "third"));
        QCOMPARE(env.read(QStringLiteral("a.txt")), QByteArray("third"));
        QCoreApplication::processEvents();
        QCOMPARE(env.dialogs.warnings.size(), 1);
    }

    // A folder that does not exist (or cannot be written) is reported like a
    // full disk, with its own reason.
    void missingFolderIsReported()
    {
        Env env;
        QVERIFY(QDir(env.path(QStringLiteral("modules/macro"))).removeRecursively());
        env.write(QStringLiteral("modules/macro"), "a file where the library folder should be\n");
        QCOMPARE(env.view->createMacroIni(QStringLiteral("m"), 1, 0, 0).toBool(), false);
        QCoreApplication::processEvents();
        QCOMPARE(env.dialogs.warnings.size(), 1);
        QVERIFY2(env.dialogs.warnings.first().contains(QStringLiteral("m.bin could not be saved: its folder does not exist")),
                 qPrintable(env.dialogs.warnings.first()));
    }

    // A system reason that repeats the file's path names it as the user
    // knows it, never with "/./" inside.
    void reasonsShowThePathAsTheUserKnowsIt_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("shown");
        const QString here = QDir::currentPath();
        QTest::newRow("path as opened") << QStringLiteral("Existing file %1/./modules/setting/p1.bin is not writable").arg(here)
                                        << QStringLiteral("Existing file modules/setting/p1.bin is not writable");
        QTest::newRow("outside the data folder") << QStringLiteral("Cannot open /tmp/./x/../y.tmp")
                                                 << QStringLiteral("Cannot open /tmp/y.tmp");
        QTest::newRow("no path") << QStringLiteral("No space left on device") << QStringLiteral("No space left on device");
    }
    void reasonsShowThePathAsTheUserKnowsIt()
    {
        QFETCH(QString, reason);
        QFETCH(QString, shown);
        QCOMPARE(WriteFailures::warningText(QStringLiteral("./modules/setting/p1.bin"), reason),
                 QStringLiteral("modules/setting/p1.bin could not be saved: %1. It keeps its previous content.").arg(shown));
    }
};

QTEST_MAIN(TestWriteFailures)
#include "tst_write_failures.moc"

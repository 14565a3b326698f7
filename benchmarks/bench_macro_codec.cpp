// How long the scene's encoder takes for a full macro slot, and how long a
// folder tree takes to import, scan and delete. Prints figures; never a
// test verdict.
#include "macros/macro_library.h"
#include "macros/script_library.h"
#include "settings/config_store.h"
#include "settings/name_index.h"
#include "settings/profile_store.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    // Encoder: 62 actions with a delay each, the most a slot holds.
    QJSEngine engine;
    ScriptLibraries libs(&engine);
    const QJSValue codec = libs.load(SceneLibraries::macroCodec());
    QStringList entries;
    for (int i = 0; i < 31; ++i)
        entries << "1,A" << "0,50" << "2,A" << "0,50";
    const QJSValue list = engine.toScriptValue(entries);
    const QJSValue deCode = codec.property(QStringLiteral("deCode"));
    const int runs = 2000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < runs; ++i)
        deCode.call({list, 1});
    std::printf("deCode, 62 actions: %.1f us per call\n", double(t.nsecsElapsed()) / runs / 1000.0);

    // Library: 5 levels x 4 folders x 10 macros imported, scanned, deleted.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("modules/macro"));
    QDir().mkpath(QStringLiteral("modules/setting"));
    QString src = dir.path() + QStringLiteral("/src/Tree");
    int files = 0;
    std::function<void(const QString&, int)> make = [&](const QString& at, int depth) {
        QDir().mkpath(at);
        for (int m = 0; m < 10; ++m) {
            QFile f(at + QStringLiteral("/m%1.mc").arg(m));
            f.open(QIODevice::WriteOnly);
            f.write("[config]\ntotal=0\nrepeat=1\n");
            ++files;
        }
        if (depth < 5)
            for (int k = 0; k < (depth < 3 ? 4 : 1); ++k)
                make(at + QStringLiteral("/f%1").arg(k), depth + 1);
    };
    make(src, 1);
    ConfigStore config;
    ProfileStore profiles(config);
    MacroSelection selection;
    MacroLibrary library(profiles, NameIndex::instance(), selection);
    t.restart();
    library.beginBatchImport(src);
    library.runBatchImport();
    std::printf("batch import of %d files: %lld ms\n", files, t.elapsed());
    t.restart();
    library.scanFolder(QStringLiteral("Tree"), 0, 0);
    std::printf("library scan: %lld ms\n", t.elapsed());
    t.restart();
    library.deleteEntry(0, 1, QStringLiteral("Tree"));
    std::printf("folder delete: %lld ms\n", t.elapsed());
    return 0;
}

// Batch macro import: a directory tree of arbitrary names and contents
// becomes a library folder; the scene then lists what was found.
#include "tests/fuzz/fuzz_env.h"

HALCYON_FUZZ_INITIALIZE_SERVICES

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzEnv::Library library;
    MacroLibrary& macros = library.macros;
    FuzzReader in(data, size);
    const QString batch = QDir::current().absoluteFilePath(QStringLiteral("batch/Pack"));
    QDir(batch).removeRecursively();
    QDir().mkpath(batch);
    // Up to eight entries: a path of up to seven components, then content.
    const int entries = in.number(8);
    for (int e = 0; e < entries && !in.atEnd(); ++e) {
        QStringList parts;
        const int depth = in.number(6);
        for (int d = 0; d <= depth; ++d)
            parts << in.text(12).remove(QLatin1Char('/')).remove(QChar::Null);
        if (parts.contains(QString()) || parts.contains(QStringLiteral(".")) || parts.contains(QStringLiteral("..")))
            continue;
        const QString path = batch + QLatin1Char('/') + parts.join(QLatin1Char('/')) + (in.byte() & 1 ? QStringLiteral(".mc") : QString());
        if (in.byte() & 1)
            QDir().mkpath(path);
        else
            FuzzEnv::writeFile(path, in.bytes(512));
    }
    const QString name = macros.beginBatchImport(batch);
    macros.runBatchImport();
    for (int level = 0; level <= 6; ++level)
        for (int type = 0; type < 2; ++type)
            macros.batchNames(level, type);
    if (!name.isEmpty())
        QDir(QStringLiteral("modules/macro/") + name).removeRecursively();
    return 0;
}

// Single macro import: any file becomes a library macro that the editor
// then loads.
#include "tests/fuzz/fuzz_env.h"

HALCYON_FUZZ_INITIALIZE_SERVICES

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzEnv::Library library;
    MacroLibrary& macros = library.macros;
    FuzzEnv::writeFile(QStringLiteral("in.mc"), QByteArray(reinterpret_cast<const char*>(data), int(size)));
    library.selection.setLevel(QStringLiteral("0"));
    const QString name = macros.importFile(QDir::current().absoluteFilePath(QStringLiteral("in.mc")), -1, 0);
    if (!name.isEmpty()) {
        macros.loadMacro(0, name);
        macros.deleteEntry(0, 0, name);   // an import never replaces: make room for the next
    }
    return 0;
}

// Single macro import: any file becomes a library macro that the editor
// then loads.
#include "tests/fuzz/fuzz_env.h"

HALCYON_FUZZ_INITIALIZE

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzEnv::Backend backend(VirtualFirmware::Family::F553);
    myQQuickView& view = backend.view;
    FuzzEnv::writeFile(QStringLiteral("in.mc"), QByteArray(reinterpret_cast<const char*>(data), int(size)));
    FuzzEnv::dialogs().answer = QDir::current().absoluteFilePath(QStringLiteral("in.mc"));
    view.setMacroLevel(0);
    const QString name = view.loadMacroFile(-1, 0);
    if (!name.isEmpty()) {
        view.loadMacroIni(0, name);
        view.deleteMacroIni(0, 0, name);   // an import never replaces: make room for the next
    }
    return 0;
}

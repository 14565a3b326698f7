// Profile import: any file becomes a slot's settings; the pages then read it.
#include "tests/fuzz/fuzz_env.h"

HALCYON_FUZZ_INITIALIZE

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzEnv::Backend backend(VirtualFirmware::Family::F553);
    myQQuickView& view = backend.view;
    FuzzEnv::writeFile(QStringLiteral("in.pf"), QByteArray(reinterpret_cast<const char*>(data), int(size)));
    FuzzEnv::dialogs().answer = QDir::current().absoluteFilePath(QStringLiteral("in.pf"));
    view.setCurrentProfile(1);
    view.loadProfile(1);
    // What the pages read after an import.
    for (int i = 0; i < 16; ++i)
        view.mouseGetKeydefine(0, i, false);
    view.getDataList(QStringLiteral("mouse/dpiValueArray"), false);
    view.getDataList(QStringLiteral("mouseKeyMatrix/0"), false);
    view.getData(QStringLiteral("mouse/mouseRate"), false);
    view.getXYSensitive(0);
    view.getselectGun(1);
    return 0;
}

// Gun presets: an arbitrary preset file, then the gun page's operations with
// arbitrary arguments.
#include "tests/fuzz/fuzz_env.h"

HALCYON_FUZZ_INITIALIZE

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzEnv::Backend backend(VirtualFirmware::Family::F553);
    myQQuickView& view = backend.view;
    FuzzReader in(data, size);
    FuzzEnv::writeFile(QStringLiteral("modules/gun/gunData.bin"), in.bytes(4096));
    const QStringList keys = view.getGunDataKey();
    for (const QString& key : keys)
        view.getGunData(key);
    while (!in.atEnd()) {
        switch (in.byte() % 4) {
        case 0: view.mouseSaveGundata(in.value(), in.list(8)); break;
        case 1: view.modifyGundata(in.number(2), in.list(9)); break;
        case 2: view.mouseSendGundata(in.number(4), in.list(4)); break;
        default: view.getGunData(in.value()); break;
        }
    }
    view.getGunDataKey();
    return 0;
}

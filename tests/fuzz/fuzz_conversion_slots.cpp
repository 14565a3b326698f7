// The slots that turn the scene's lists into device commands, given
// arbitrary lists (too short, too long, wrong types), against a virtual
// mouse of either family.
#include "tests/fuzz/fuzz_env.h"
#include "settings/ini_format.h"

namespace {
FuzzEnv::Backend* g_backends[2] = {};

void setFamily(const char* family)
{
    auto config = openIni(QStringLiteral("./modules/setting/apConfig.bin"));
    config->setValue(QStringLiteral("mouse/icType"), QString::fromLatin1(family));
    config->setValue(QStringLiteral("mouse/isGun"), true);
    config->setValue(QStringLiteral("mouse/isColorful"), true);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzEnv::init(argc, argv);
    setFamily("553");
    g_backends[0] = new FuzzEnv::Backend(VirtualFirmware::Family::F553);
    setFamily("560");
    g_backends[1] = new FuzzEnv::Backend(VirtualFirmware::Family::F560);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzReader in(data, size);
    myQQuickView& view = g_backends[in.byte() & 1]->view;
    int steps = 0;
    while (!in.atEnd() && ++steps <= 8) {
        switch (in.byte() % 10) {
        case 0:
            view.mouseSetKeyMatrix(in.value(), in.list(70), in.list(70), bool(in.byte() & 1), in.list(6));
            break;
        case 1: view.mouseSetDpi(in.signedNumber(), in.text(6), in.list(10), in.list(10)); break;
        case 2: view.mouseSetRGBColor(uchar(in.byte()), in.list(30)); break;
        case 3:
            view.mouseSetLedType(uchar(in.byte()), uchar(in.byte()), uchar(in.byte()), uchar(in.byte()), in.list(30));
            break;
        case 4: view.ui_10H_SetLED8StageColor(uchar(in.byte()), in.list(30)); break;
        case 5: view.mouseSendMacroData(in.list(80), in.value()); break;
        case 6: view.mouseSendGundata(in.signedNumber(), in.list(5)); break;
        case 7: view.mouseGetKeydefine(in.value(), in.value(), bool(in.byte() & 1)); break;
        case 8: view.setDataList(QStringLiteral("mouseKeyMatrix/0"), in.list(70)); break;
        default: view.mouseSetLodValue(uchar(in.byte()), uchar(in.byte())); break;
        }
    }
    return 0;
}

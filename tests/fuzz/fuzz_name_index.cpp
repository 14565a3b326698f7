// The name index: an arbitrary name.bin, then the macro page's reads and
// writes with arbitrary selections, levels and lists.
#include "tests/fuzz/fuzz_env.h"

HALCYON_FUZZ_INITIALIZE

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzEnv::Backend backend(VirtualFirmware::Family::F553);
    myQQuickView& view = backend.view;
    FuzzReader in(data, size);
    FuzzEnv::writeFile(QStringLiteral("modules/setting/name.bin"), in.bytes(4096));
    for (int type = -1; type <= 4; ++type)
        view.getNameList(type);
    for (int att = -1; att <= 9; ++att)
        view.getMacroList_Att(att);
    while (!in.atEnd()) {
        switch (in.byte() % 6) {
        case 0:
            view.setMacroSelectName(in.text(8), in.text(8), in.text(8), in.text(8), in.text(8));
            break;
        case 1: view.setMacroLevel(in.number(7) - 1); break;
        case 2: view.getMacroSubList_Att(in.number(11) - 1, in.text(8)); break;
        case 3: view.updataNameList(in.number(5) - 1, in.strings(4, 8)); break;
        case 4: {
            QStringList lists[10];
            for (QStringList& l : lists)
                l = in.strings(3, 6);
            view.updataMacroList(in.number(3), in.number(7) - 1, in.text(8), lists[0], lists[1], lists[2], lists[3],
                                 lists[4], lists[5], lists[6], lists[7], lists[8], lists[9]);
            break;
        }
        default: view.updataMacroList_delOld(in.text(8)); break;
        }
    }
    return 0;
}

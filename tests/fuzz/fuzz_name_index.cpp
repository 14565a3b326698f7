// The name index: an arbitrary name.bin, then the macro page's reads and
// writes with arbitrary selections, levels and lists.
#include "tests/fuzz/fuzz_env.h"

HALCYON_FUZZ_INITIALIZE_SERVICES

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NameIndex& index = NameIndex::instance();
    // Every input starts from no selection, as a new view does.
    MacroSelection selection;
    FuzzReader in(data, size);
    FuzzEnv::writeFile(QStringLiteral("modules/setting/name.bin"), in.bytes(4096));
    for (int type = -1; type <= 4; ++type)
        index.nameList(type);
    for (int att = -1; att <= 9; ++att)
        index.macroList(att);
    // Arguments are read one statement at a time, in the order the seed
    // corpus was written for.
    while (!in.atEnd()) {
        switch (in.byte() % 6) {
        case 0: selection.setNames({in.text(8), in.text(8), in.text(8), in.text(8), in.text(8)}); break;
        case 1: selection.setLevel(QString::number(in.number(7) - 1)); break;
        case 2: {
            const int att = in.number(11) - 1;
            index.macroSubList(selection, att, in.text(8));
            break;
        }
        case 3: {
            const int type = in.number(5) - 1;
            index.storeNameList(type, in.strings(4, 8));
            break;
        }
        case 4: {
            QStringList lists[10];
            for (QStringList& l : lists)
                l = in.strings(3, 6);
            const int att = in.number(3);
            const int level = in.number(7) - 1;
            index.storeMacroList(selection, att, level, in.text(8), lists);
            break;
        }
        default: index.removeMacroList(in.text(8)); break;
        }
    }
    return 0;
}

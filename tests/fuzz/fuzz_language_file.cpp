// Language files: any text in place of a translation.
#include "device/dpi_switch_texts.h"
#include "tests/fuzz/fuzz_env.h"

HALCYON_FUZZ_INITIALIZE

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzEnv::Backend backend(VirtualFirmware::Family::F553);
    FuzzEnv::writeFile(QStringLiteral("modules/i18n/Fuzz.ini"), QByteArray(reinterpret_cast<const char*>(data), int(size)));
    for (const char* group : {"other", "keyMatrix", "profile", "macro", "General", ""})
        backend.view.getLangStrings(QString::fromLatin1(group), QStringLiteral("Fuzz"));
    if (dpiSwitchTexts().size() != 8)
        abort();
    return 0;
}

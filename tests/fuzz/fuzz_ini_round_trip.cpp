// The INI text layer: whatever a file holds, writing what was read and
// reading it again gives the same keys and values, and writing is stable.
#include "settings/ini_format.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), int(size));
    QSettings::SettingsMap first;
    IniText::read(text, first);
    const QByteArray written = IniText::write(first);
    QSettings::SettingsMap second;
    IniText::read(written, second);
    if (first.keys() != second.keys()) {
        fprintf(stderr, "keys differ after a round trip\n%s\n", written.constData());
        abort();
    }
    for (auto it = first.cbegin(); it != first.cend(); ++it) {
        if (IniText::escapeValue(it.value()) != IniText::escapeValue(second.value(it.key()))) {
            fprintf(stderr, "value of %s differs after a round trip\n", qPrintable(it.key()));
            abort();
        }
    }
    if (IniText::write(second) != written)
        abort();
    return 0;
}

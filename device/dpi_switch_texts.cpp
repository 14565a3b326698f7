#include "device/dpi_switch_texts.h"

QStringList& dpiSwitchTexts()
{
    static QStringList texts(8, QStringLiteral("DPI Switch to"));
    return texts;
}

// Download of an encoded macro block into one of the mouse's macro slots.
#include "features/device_features.h"
#include "settings/config_store.h"
#include "device/hid_thread.h"
#include <QDebug>

namespace {
constexpr int MacroBlockSize = 128;
constexpr uint MacroSlotCount = 12;
}

bool DeviceFeatures::sendMacro(const QVariantList& macroData, const QVariant& macroIndex)
{
    const uint slot = macroIndex.toUInt() & 0xFF;
    if (slot >= MacroSlotCount)
        return true;
    // A block that does not fit the slot is never cut or written past its
    // end: the mouse would play a different macro than the one recorded.
    if (macroData.size() > MacroBlockSize) {
        qDebug() << "mouseSendMacroData refused: the macro needs" << macroData.size()
                 << "bytes, a macro slot holds" << MacroBlockSize;
        return false;
    }
    uchar block[MacroBlockSize] = {};
    for (int i = 0; i < macroData.size(); ++i)
        block[i] = uchar(macroData.at(i).toInt() & 0xFF);
    if (!m_hid)
        return true;
    const uchar macroId = uchar(slot + 1);
    if (is560())
        m_hid->hid560_0FH_SetMacroKey(macroId, block);
    else
        m_hid->hid553_13H_SetMacroKey(macroId, block);
    return true;
}

// Command set of the 553 controller family.
#include "device/hid_thread.h"
#include <QDebug>
#include <cstring>

namespace {
// Appends n payload bytes to a debug line, as numbers separated by blanks.
void logBytes(QDebug dbg, const uchar* data, int n)
{
    for (int i = 0; i < n; ++i)
        dbg << int(data[i]);
}
} // namespace

void Hid_Thread::hid553_83H_GetKeyboardoption(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 83";
        m_held.forget(HeldBlocks::key(0x03));
        return;
    }
    buildCommand(0x83, {});
    std::memset(answerReport, 0, sizeof answerReport);
    answerReport[2] = byte1;
    answerReport[3] = byte2;
    answerReport[4] = byte3;
    answerReport[5] = byte4;
    if (!hidGetCmd(0))
        m_held.forget(HeldBlocks::key(0x03));
    byte1 = answerReport[2];
    byte2 = answerReport[3];
    byte3 = answerReport[4];
    byte4 = answerReport[5];
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(uchar& byte1)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 8BH";
        return;
    }
    buildCommand(0x8B, {});
    std::memset(answerReport, 0, sizeof answerReport);
    answerReport[2] = byte1;
    hidGetCmd(0);
    byte1 = answerReport[2];
}

void Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    qDebug() << "hid553_01H_SetReportRate = " << int(rate);
    writeBlock(HeldBlocks::key(0x01), commandBytes(0x01, {rate}), true, "cmd Failed 01");
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    qDebug() << "hid553_02H_SetCurrentKeyMatrix = " << int(currentKeyMatrix);
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 02";
        return;
    }
    buildCommand(0x02, {currentKeyMatrix});
    hidSetCmd(0, true);
}

void Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    qDebug() << "hid553_03H_SetKeyboardoption , byte1-4 =" << int(byte1) << int(byte2)
             << int(byte3) << int(byte4);
    writeBlock(HeldBlocks::key(0x03), commandBytes(0x03, {byte1, byte2, byte3, byte4}), false, "cmd Failed 03");
}

void Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    // byte4 is the gun slot: one stored preset each.
    writeBlock(HeldBlocks::key(0x04, byte4), commandBytes(0x04, {0x00, byte1, byte2, byte3, byte4}), false,
               "cmd Failed 04");
}

void Hid_Thread::hid553_07H_Lod(uchar stage, uchar en)
{
    writeBlock(HeldBlocks::key(0x07), commandBytes(0x07, {0x00, stage, 0x7D, en}), true, "hid553_07H_Lod");
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    qDebug() << "hid553_0BH_SetCurrentDPI = " << int(stage);
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 0B";
        return;
    }
    buildCommand(0x0B, {stage});
    hidSetCmd(0, true);
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(uchar* src3)
{
    writeBlock(HeldBlocks::key(0x0C), commandBytes(0x0C, {src3[0], src3[1], src3[2]}), true, "cmd Failed 0C");
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    qDebug() << "hid553_0DH_SetRGBLedEffect , effect = " << int(effect);
    writeBlock(HeldBlocks::key(0x0D), commandBytes(0x0D, {effect, option1, option2}), true, "cmd Failed 0D");
}

void Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar* src24)
{
    // Type 2 carries one 4-byte packed table, every other type 24 bytes.
    const int n = type == 2 ? 4 : 24;
    {
        QDebug dbg = qDebug();
        dbg << "hid553_10H_SetLED8StageColor , type = " << int(type) << ",src24 = ";
        logBytes(dbg, src24, n);
    }
    writeBlock(HeldBlocks::key(0x10, type), commandBytes(0x10, {type, uchar(n)}, src24, n), true, "cmd Failed 10");
}

void Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar* src8)
{
    {
        QDebug dbg = qDebug();
        dbg << "hid553_11H_SetDPISet ,dpiStage = " << int(dpiStage) << "DPI - src8 = ";
        logBytes(dbg, src8, 8);
    }
    writeBlock(HeldBlocks::key(0x11), commandBytes(0x11, {dpiStage, 0x08}, src8, 8), true, "cmd Failed 11");
}

void Hid_Thread::hid553_12H_SetKeyMatrix(uchar* src64, uchar indexAddOne)
{
    qDebug() << "hid553_12H_SetKeyMatrix , indexAddOne = " << int(indexAddOne);
    writeBlock(HeldBlocks::key(0x12, indexAddOne), commandBytes(0x12, {indexAddOne, 0x40, 0x08}, src64, 64), true,
               "cmd Failed 12");
}

void Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar* src128)
{
    {
        QDebug dbg = qDebug();
        dbg << "hid553_13H_SetMacroKey , macroId = " << int(macroId) << ",src128 = ";
        logBytes(dbg, src128, 128);
    }
    writeBlock(HeldBlocks::key(0x13, macroId), commandBytes(0x13, {macroId, 0x80}, src128, 128), true,
               "cmd Failed 13");
}

void Hid_Thread::hid553_16H_SetSlaveAttritube(uchar* src64)
{
    qDebug() << "hid553_16H_SetSlaveAttritube = ";
    writeBlock(HeldBlocks::key(0x16), commandBytes(0x16, {0x00, 0x40}, src64, 64), true, "cmd Failed 16");
}

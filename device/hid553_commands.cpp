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
        return;
    }
    buildCommand(0x83, {});
    std::memset(answerReport, 0, sizeof answerReport);
    answerReport[2] = byte1;
    answerReport[3] = byte2;
    answerReport[4] = byte3;
    answerReport[5] = byte4;
    hidGetCmd(0);
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
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 01";
        return;
    }
    buildCommand(0x01, {rate});
    hidSetCmd(0, true);
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
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 03";
        return;
    }
    buildCommand(0x03, {byte1, byte2, byte3, byte4});
    hidSetCmd(0, false);
}

void Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 04";
        return;
    }
    buildCommand(0x04, {0x00, byte1, byte2, byte3, byte4});
    hidSetCmd(0, false);
}

void Hid_Thread::hid553_07H_Lod(uchar stage, uchar en)
{
    if (!hidWaitFree()) {
        qDebug() << "hid553_07H_Lod";
        return;
    }
    buildCommand(0x07, {0x00, stage, 0x7D, en});
    hidSetCmd(0, true);
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
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 0C";
        return;
    }
    buildCommand(0x0C, {src3[0], src3[1], src3[2]});
    hidSetCmd(0, true);
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    qDebug() << "hid553_0DH_SetRGBLedEffect , effect = " << int(effect);
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 0D";
        return;
    }
    buildCommand(0x0D, {effect, option1, option2});
    hidSetCmd(0, true);
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
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 10";
        return;
    }
    buildCommand(0x10, {type, uchar(n)});
    std::memcpy(hidData, src24, size_t(n));
    hidSetCmd(n, true);
}

void Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar* src8)
{
    {
        QDebug dbg = qDebug();
        dbg << "hid553_11H_SetDPISet ,dpiStage = " << int(dpiStage) << "DPI - src8 = ";
        logBytes(dbg, src8, 8);
    }
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 11";
        return;
    }
    buildCommand(0x11, {dpiStage, 0x08});
    std::memcpy(hidData, src8, 8);
    hidSetCmd(8, true);
}

void Hid_Thread::hid553_12H_SetKeyMatrix(uchar* src64, uchar indexAddOne)
{
    qDebug() << "hid553_12H_SetKeyMatrix , indexAddOne = " << int(indexAddOne);
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 12";
        return;
    }
    buildCommand(0x12, {indexAddOne, 0x40, 0x08});
    std::memcpy(hidData, src64, 64);
    hidSetCmd(64, true);
}

void Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar* src128)
{
    {
        QDebug dbg = qDebug();
        dbg << "hid553_13H_SetMacroKey , macroId = " << int(macroId) << ",src128 = ";
        logBytes(dbg, src128, 128);
    }
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 13";
        return;
    }
    buildCommand(0x13, {macroId, 0x80});
    std::memcpy(hidData, src128, 128);
    hidSetCmd(128, true);
}

void Hid_Thread::hid553_16H_SetSlaveAttritube(uchar* src64)
{
    qDebug() << "hid553_16H_SetSlaveAttritube = ";
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 16";
        return;
    }
    buildCommand(0x16, {0x00, 0x40});
    std::memcpy(hidData, src64, 64);
    hidSetCmd(64, true);
}

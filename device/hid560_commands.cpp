// Command set of the 560 controller family, and the lighting query both
// families share.
#include "device/hid_thread.h"
#include <QDebug>
#include <cstring>

void Hid_Thread::hid560_81H_GetKeyboardoption(uchar& byte1, uchar& byte2)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 81";
        m_held.forget(HeldBlocks::key(0x01));
        return;
    }
    buildCommand(0x81, {});
    std::memset(answerReport, 0, sizeof answerReport);
    answerReport[2] = byte1;
    answerReport[3] = byte2;
    if (!hidGetCmd(0))
        m_held.forget(HeldBlocks::key(0x01));
    byte1 = answerReport[2];
    byte2 = answerReport[3];
}

void Hid_Thread::hid560_82H_GetCurrentProfile(uchar& byte1)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 82";
        return;
    }
    buildCommand(0x82, {});
    std::memset(answerReport, 0, sizeof answerReport);
    answerReport[2] = byte1;
    hidGetCmd(0);
    byte1 = answerReport[2];
}

void Hid_Thread::hid560_84H_GetCurrentDPI(uchar& byte1, uchar& byte2)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 84";
        return;
    }
    buildCommand(0x84, {byte1});
    std::memset(answerReport, 0, sizeof answerReport);
    answerReport[2] = byte1;
    answerReport[3] = byte2;
    hidGetCmd(0);
    byte1 = answerReport[2];
    byte2 = answerReport[3];
}

void Hid_Thread::hid560_8CH_readProfile(uchar* src128, uchar profileNo)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 8c";
        m_held.forget(HeldBlocks::key(0x0C, profileNo));
        return;
    }
    buildCommand(0x8C, {profileNo});
    std::memset(answerReport, 0, sizeof answerReport);
    std::memcpy(hidData, src128, 128);
    // A read that fails part way keeps the previous image whole: half an
    // image would be sent back to the mouse by the next profile write.
    // What the read shows is what the mouse holds: the write of the same
    // image need not be sent.
    const quint16 block = HeldBlocks::key(0x0C, profileNo);
    if (hidGetCmd(128)) {
        std::memcpy(src128, hidData, 128);
        m_held.remember(block, commandBytes(0x0C, {profileNo, 0x80}, src128, 128));
    } else {
        m_held.forget(block);
    }
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(uchar type, uchar& option1, uchar& option2, uchar& option3)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed";
        return false;
    }
    buildCommand(0x87, {type});
    std::memset(answerReport, 0, sizeof answerReport);
    if (!hidGetCmd(0))
        return false;
    option1 = answerReport[3];
    option2 = answerReport[4];
    option3 = answerReport[5];
    return true;
}

void Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    writeBlock(HeldBlocks::key(0x01), commandBytes(0x01, {byte1, byte2}), false, "cmd Failed 01");
}

void Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 02";
        return;
    }
    buildCommand(0x02, {profile});
    hidSetCmd(0, false);
}

void Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    writeBlock(HeldBlocks::key(0x03), commandBytes(0x03, {0x01, rate}), true, "cmd Failed 03");
}

void Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    if (!hidWaitFree()) {
        qDebug() << "cmd Failed 04";
        return;
    }
    buildCommand(0x04, {0x01, stage});
    hidSetCmd(0, true);
}

void Hid_Thread::hid560_09H_Lod(uchar stage, uchar en)
{
    writeBlock(HeldBlocks::key(0x09), commandBytes(0x09, {en ? stage : uchar(0x00), 0x7D}), true, "hid560_09H_Lod");
}

void Hid_Thread::hid560_0CH_setProfile(uchar* src128, uchar profileData)
{
    writeBlock(HeldBlocks::key(0x0C, profileData), commandBytes(0x0C, {profileData, 0x80}, src128, 128), true,
               "cmd Failed 0C");
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar* src64, uchar indexAddOne)
{
    uchar payload[128] = {};
    std::memcpy(payload, src64, 64);
    writeBlock(HeldBlocks::key(0x0D, indexAddOne), commandBytes(0x0D, {indexAddOne, 0x80}, payload, 128), true,
               "cmd Failed 0D");
}

void Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar* src128)
{
    writeBlock(HeldBlocks::key(0x0F, macroId), commandBytes(0x0F, {macroId, 0x80}, src128, 128), true,
               "cmd Failed 0F");
}

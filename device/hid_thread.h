#pragma once
#include "device/device_entry.h"
#include "device/held_blocks.h"
#include "device/hid_port.h"
#include <QFuture>
#include <QThread>
#include <QList>
#include <atomic>
#include <functional>

class Clock;
class DeviceOwner;

// The device object: the connection to the mouse's two vendor HID interfaces
// and every device command of both controller families, one slot each.
// It is a QThread only by heritage; it is never started. Commands run on the
// caller's (GUI) thread; the event listener runs on the global thread pool.
class Hid_Thread : public QThread {
    Q_OBJECT
public:
    explicit Hid_Thread(QObject* parent = nullptr);
    ~Hid_Thread() override;

    DeviceOwner* owner = nullptr;
    DeviceTable devices;
    int curDevice = 1;
    bool hidFree = true;   // the device token
    std::atomic<bool> listening{false};

    // Seams: real hidapi and real sleeps unless told otherwise.
    void setPort(HidPort* port) { m_port = port; }
    HidPort* port() const { return m_port; }
    void setClock(Clock* clock) { m_clock = clock; }
    Clock* clock() const { return m_clock; }

    bool hidWaitFree();
    void hidSettle();
    HidPort::Handle hidOpenCmd(int index);
    HidPort::Handle hidOpenEvent(int index);
    bool hidGetCmd(int n);
    bool hidSetCmd(int n, bool settle);
    void hidStartListen(int index);
    void hidListen(uint index);
    void hidStopListen();
    // Waits until the listener job has ended (teardown, and before a new one).
    void waitListenerEnded();

    // True while a command is inside its token wait or its transfer. The GUI
    // thread handles events during the pacing sleeps (see Clock); what must
    // not cut into a transfer waits until this is false again.
    bool transferInProgress() const { return m_transferDepth > 0; }

    // ---- what the mouse holds (see HeldBlocks) ----
    // A set command whose block the mouse holds with the same bytes is not
    // sent; commands that select or apply (the active key matrix or profile,
    // the current DPI stage) always are. mouse/alwaysSendAll turns skipping off.
    void setAlwaysSendAll(bool on) { m_alwaysSendAll = on; }
    bool alwaysSendAll() const { return m_alwaysSendAll; }
    // Nothing is known any more: a new connection, the mouse's removal, a reset.
    void forgetHeldBlocks() { m_held.forgetAll(); }
    const HeldBlocks& heldBlocks() const { return m_held; }
    // The last block command was not sent because the mouse held its bytes.
    bool lastBlockSkipped() const { return m_lastBlockSkipped; }
    // The next block command is sent even when the mouse holds its bytes (a
    // block the firmware takes only when written twice in a row).
    void sendNextBlockAnyway() { m_sendNextAnyway = true; }

    // Bounds each input report of the block query (the mouse may never answer).
    static constexpr int BlockReadTimeoutMs = 1000;
    static constexpr int ListenReadTimeoutMs = 500;
    static constexpr int EventReportLength = 4;
    static constexpr int MaxDpiStage = 8;
    // A DPI stage report: exactly 06 07 xx s with s a stage 1 to 8. Anything
    // else the event interface delivers is ignored.
    static bool isDpiEventReport(const unsigned char* report, int length);

signals:
    // Emitted on the GUI thread after the listener has handed an event report
    // on (used by tools that wait for it).
    void eventReportHandled(int stage);
    void deviceRemoved();
    // The outermost transfer has ended (queued work may run now).
    void transferEnded();

public slots:
    uchar hidCS(uchar* cmd);

    // 553 family
    void hid553_83H_GetKeyboardoption(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4);
    void hid553_8BH_GetCurrentDPI(uchar& byte1);
    void hid553_01H_SetReportRate(uchar rate);
    void hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
    void hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_07H_Lod(uchar stage, uchar en);
    void hid553_0BH_SetCurrentDPI(uchar stage);
    void hid553_0CH_SetFixLEDColor(uchar* src3);
    void hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid553_10H_SetLED8StageColor(uchar type, uchar* src24);
    void hid553_11H_SetDPISet(uchar dpiStage, uchar* src8);
    void hid553_12H_SetKeyMatrix(uchar* src64, uchar indexAddOne);
    void hid553_13H_SetMacroKey(uchar macroId, uchar* src128);
    void hid553_16H_SetSlaveAttritube(uchar* src64);

    // 560 family
    void hid560_81H_GetKeyboardoption(uchar& byte1, uchar& byte2);
    void hid560_82H_GetCurrentProfile(uchar& byte1);
    void hid560_84H_GetCurrentDPI(uchar& byte1, uchar& byte2);
    void hid560_8CH_readProfile(uchar* src128, uchar profileNo);
    bool hid_87H_GetLEDInstructFunction(uchar type, uchar& option1, uchar& option2, uchar& option3);
    void hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
    void hid560_02H_SetCurrentProfile(uchar profile);
    void hid560_03H_SetReportRate(uchar rate);
    void hid560_04H_SetCurrentDPI(uchar stage);
    void hid560_09H_Lod(uchar stage, uchar en);
    void hid560_0CH_setProfile(uchar* src128, uchar profileData);
    void hid560_0DH_SetKeyMatrix(uchar* src64, uchar indexAddOne);
    void hid560_0FH_SetMacroKey(uchar macroId, uchar* src128);

private:
    // Fills cmdReport: report id 0, the code, argument bytes 2..7, checksum.
    void buildCommand(uchar code, std::initializer_list<uchar> args);
    // The command report of buildCommand followed by n payload bytes.
    static QByteArray commandBytes(uchar code, std::initializer_list<uchar> args, const uchar* payload = nullptr,
                                   int n = 0);
    // Sends a set command that writes a stored block, unless the mouse holds
    // these bytes already; the record follows the outcome.
    void writeBlock(quint16 block, const QByteArray& bytes, bool settle, const char* failLine);
    DeviceEntry* entry(int index) const;
    HidPort::Handle openEvent(DeviceEntry* e);
    void listenOn(QSharedPointer<DeviceEntry> listened);
    // L of the entry in use, or 0 (with a log line) when it is out of range.
    int reportLength() const;
    void closeCmd();
    bool failTransfer();
    void handleEventReport(int stage);
    void handleRemoval();
    // Runs a listener notice now, or after the transfer in progress.
    void deliverNotice(std::function<void()> notice);
    void runDeferredNotices();
    friend class TransferScope;
    // Tells the owner when an open failed for lack of permission.
    void reportOpenFailure(const QString& path);
    // Counts failed opens of the command interface; after
    // UnreachableAfterFailedOpens in a row the owner hears the mouse cannot
    // be reached.
    void noteCmdOpenFailure();
    static constexpr int UnreachableAfterFailedOpens = 2;

    HidPort* m_port;
    Clock* m_clock;
    HidPort::Handle cmdHandle = nullptr;
    HidPort::Handle eventHandle = nullptr;
    QFuture<void> listenFuture;
    uchar cmdReport[9] = {};
    uchar answerReport[9] = {};
    uchar hidData[256] = {};
    int m_transferDepth = 0;
    int m_failedCmdOpens = 0;
    bool m_unreachableTold = false;
    bool m_removalHandled = false;  // until an open works again
    bool m_cmdOpenedOnce = false;
    QList<std::function<void()>> m_deferredNotices;
    HeldBlocks m_held;
    bool m_alwaysSendAll = false;
    bool m_lastBlockSkipped = false;
    bool m_sendNextAnyway = false;
};

#pragma once
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>

// A model of the mouse firmware for both controller families: it takes the
// 9-byte command reports and the data reports the host sends, keeps what
// each set command writes, and answers queries in the documented layouts.
// The virtual HID port and the kernel uhid stand-in both put it behind a
// transport; neither knows the command set.
class VirtualFirmware {
public:
    enum class Family { F553, F560 };

    explicit VirtualFirmware(Family family = Family::F553);

    Family family() const { return m_family; }

    // A command report: 9 bytes, report id 0 first.
    void featureOut(const unsigned char* report9);
    // The answer report: 9 bytes, report id 0 first.
    QByteArray featureIn() const { return m_answer; }
    // The payload of one data report, report id removed.
    void output(const unsigned char* data, int length);
    // The next input report of a block answer; empty when none is pending.
    QByteArray takeInputReport();
    bool hasInputReport() const { return !m_inputReports.isEmpty(); }

    // What the firmware keeps.
    struct State {
        QByteArray options = QByteArray(4, '\0');
        int reportRate = 0;
        int activeMatrix = 0;      // 553: 02H
        int activeProfile = 0;     // 560: 02H
        int currentDpi = 1;
        int dpiStageCount = 0;
        QByteArray dpiStages;      // 553: 11H payload
        QMap<int, QByteArray> keyMatrices;   // 1..4
        QMap<int, QByteArray> macros;        // 1..12
        QMap<int, QByteArray> profiles;      // 0..4, 560
        QMap<int, QByteArray> ledColors;     // 553 10H by type
        QMap<int, QByteArray> gun;           // 553 04H by slot byte
        QByteArray lod;            // the LOD argument bytes 2..5
        QByteArray fixColor;       // 553 0CH
        QByteArray effect;         // 553 0DH
        QByteArray slaveAttribute; // 553 16H
        QByteArray ledInstruct = QByteArray(3, '\0'); // 87H answer bytes 3..5
        QList<QByteArray> unknown; // command reports it did not recognise
    };
    State& state() { return m_state; }
    const State& state() const { return m_state; }

    QJsonObject dump() const;

private:
    // Payload length the command report announces, 0 for none.
    int payloadLength(const unsigned char* r) const;
    void apply(const QByteArray& cmd, const QByteArray& payload);
    void answer(const unsigned char* r);

    Family m_family;
    State m_state;
    QByteArray m_answer = QByteArray(9, '\0');
    QByteArray m_pendingCmd;
    int m_pendingLength = 0;
    QByteArray m_payload;
    QList<QByteArray> m_inputReports;
};

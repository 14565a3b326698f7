#include "device/virtual_firmware.h"
#include <QJsonArray>

namespace {
QString hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QJsonObject hexMap(const QMap<int, QByteArray>& map)
{
    QJsonObject o;
    for (auto it = map.begin(); it != map.end(); ++it)
        o.insert(QString::number(it.key()), hex(it.value()));
    return o;
}
} // namespace

VirtualFirmware::VirtualFirmware(Family family) : m_family(family) {}

int VirtualFirmware::payloadLength(const unsigned char* r) const
{
    const int code = r[1];
    if (m_family == Family::F553) {
        switch (code) {
        case 0x10: return r[3];     // 4 or 24, announced in byte 3
        case 0x11: return 8;
        case 0x12: return 64;
        case 0x13: return 128;
        case 0x16: return 64;
        default: return 0;
        }
    }
    switch (code) {
    case 0x0C: case 0x0D: case 0x0F: return 128;
    default: return 0;
    }
}

void VirtualFirmware::featureOut(const unsigned char* r)
{
    const QByteArray cmd(reinterpret_cast<const char*>(r), 9);
    // A new command abandons whatever the previous one left unfinished.
    m_inputReports.clear();
    m_payload.clear();
    m_pendingCmd.clear();
    m_pendingLength = 0;
    if (r[1] >= 0x80) {
        answer(r);
        return;
    }
    const int n = payloadLength(r);
    if (n == 0) {
        apply(cmd, QByteArray());
        return;
    }
    m_pendingCmd = cmd;
    m_pendingLength = n;
}

void VirtualFirmware::output(const unsigned char* data, int length)
{
    if (m_pendingCmd.isEmpty())
        return;  // a data report nobody announced
    const int take = qMin(length, m_pendingLength - int(m_payload.size()));
    m_payload.append(reinterpret_cast<const char*>(data), take);
    if (m_payload.size() >= m_pendingLength) {
        apply(m_pendingCmd, m_payload);
        m_pendingCmd.clear();
        m_payload.clear();
    }
}

QByteArray VirtualFirmware::takeInputReport()
{
    return m_inputReports.isEmpty() ? QByteArray() : m_inputReports.takeFirst();
}

void VirtualFirmware::apply(const QByteArray& cmd, const QByteArray& payload)
{
    auto b = [&](int i) { return uchar(cmd.at(i)); };
    State& s = m_state;
    if (m_family == Family::F553) {
        switch (b(1)) {
        case 0x01: s.reportRate = b(2); return;
        case 0x02: s.activeMatrix = b(2); return;
        case 0x03: s.options = cmd.mid(2, 4); return;
        case 0x04: s.gun[b(6)] = cmd.mid(3, 3); return;
        case 0x07: s.lod = cmd.mid(2, 4); return;
        case 0x0B: s.currentDpi = b(2); return;
        case 0x0C: s.fixColor = cmd.mid(2, 3); return;
        case 0x0D: s.effect = cmd.mid(2, 3); return;
        case 0x10: s.ledColors[b(2)] = payload; return;
        case 0x11: s.dpiStageCount = b(2); s.dpiStages = payload; return;
        case 0x12: s.keyMatrices[b(2)] = payload; return;
        case 0x13: s.macros[b(2)] = payload; return;
        case 0x16: s.slaveAttribute = payload; return;
        default: break;
        }
    } else {
        switch (b(1)) {
        case 0x01: s.options = cmd.mid(2, 2) + QByteArray(2, '\0'); return;
        case 0x02: s.activeProfile = b(2); return;
        case 0x03: s.reportRate = b(3); return;
        case 0x04: s.currentDpi = b(3); return;
        case 0x09: s.lod = cmd.mid(2, 2); return;
        case 0x0C: s.profiles[b(2)] = payload; return;
        case 0x0D: s.keyMatrices[b(2)] = payload; return;
        case 0x0F: s.macros[b(2)] = payload; return;
        default: break;
        }
    }
    s.unknown.append(cmd);
}

void VirtualFirmware::answer(const unsigned char* r)
{
    m_answer = QByteArray(9, '\0');
    m_answer[1] = char(r[1]);
    const State& s = m_state;
    auto put = [&](int i, int v) { m_answer[i] = char(uchar(v)); };
    const int code = r[1];
    if (code == 0x87) {
        for (int i = 0; i < 3; ++i)
            put(3 + i, uchar(s.ledInstruct.at(i)));
        return;
    }
    if (m_family == Family::F553) {
        if (code == 0x83) {
            for (int i = 0; i < 4; ++i)
                put(2 + i, uchar(s.options.at(i)));
            return;
        }
        if (code == 0x8B) {
            put(2, s.currentDpi);
            return;
        }
    } else {
        switch (code) {
        case 0x81: put(2, uchar(s.options.at(0))); put(3, uchar(s.options.at(1))); return;
        case 0x82: put(2, s.activeProfile); return;
        case 0x84: put(2, r[2]); put(3, s.currentDpi); return;
        case 0x8C: {
            const QByteArray image = s.profiles.value(r[2], QByteArray(128, '\0'));
            for (int k = 0; k < 128; k += 32)
                m_inputReports.append(image.mid(k, 32));
            return;
        }
        default: break;
        }
    }
    m_state.unknown.append(QByteArray(reinterpret_cast<const char*>(r), 9));
}

QJsonObject VirtualFirmware::dump() const
{
    const State& s = m_state;
    QJsonObject o;
    o.insert("family", m_family == Family::F560 ? "560" : "553");
    o.insert("options", hex(s.options));
    o.insert("reportRate", s.reportRate);
    if (m_family == Family::F553)
        o.insert("activeMatrix", s.activeMatrix);
    else
        o.insert("activeProfile", s.activeProfile);
    o.insert("currentDpi", s.currentDpi);
    if (!s.dpiStages.isEmpty()) {
        o.insert("dpiStageCount", s.dpiStageCount);
        o.insert("dpiStages", hex(s.dpiStages));
    }
    if (!s.keyMatrices.isEmpty()) o.insert("keyMatrices", hexMap(s.keyMatrices));
    if (!s.macros.isEmpty()) o.insert("macros", hexMap(s.macros));
    if (!s.profiles.isEmpty()) o.insert("profiles", hexMap(s.profiles));
    if (!s.ledColors.isEmpty()) o.insert("ledColors", hexMap(s.ledColors));
    if (!s.gun.isEmpty()) o.insert("gun", hexMap(s.gun));
    if (!s.lod.isEmpty()) o.insert("lod", hex(s.lod));
    if (!s.fixColor.isEmpty()) o.insert("fixColor", hex(s.fixColor));
    if (!s.effect.isEmpty()) o.insert("effect", hex(s.effect));
    if (!s.slaveAttribute.isEmpty()) o.insert("slaveAttribute", hex(s.slaveAttribute));
    if (!s.unknown.isEmpty()) {
        QJsonArray unknown;
        for (const QByteArray& u : s.unknown)
            unknown.append(hex(u));
        o.insert("unknown", unknown);
    }
    return o;
}

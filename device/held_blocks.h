#pragma once
#include <QByteArray>
#include <QHash>

// What the mouse holds, as far as this connection knows: for every block the
// firmware stores (a key matrix, the DPI stages, a colour table, an on-device
// profile, a macro slot, the options...), the bytes of the set command that
// last wrote it with success (command report and payload), or that a read
// showed it holds. A block missing here is unknown and is always sent.
class HeldBlocks {
public:
    // A block: the set command's code and the argument byte that selects
    // one of several blocks it writes (0 when it writes only one).
    static constexpr quint16 key(unsigned char code, unsigned char selector = 0)
    {
        return quint16(code << 8 | selector);
    }

    bool holds(quint16 block, const QByteArray& bytes) const
    {
        auto it = m_blocks.constFind(block);
        return it != m_blocks.constEnd() && *it == bytes;
    }
    void remember(quint16 block, const QByteArray& bytes) { m_blocks.insert(block, bytes); }
    void forget(quint16 block) { m_blocks.remove(block); }
    void forgetAll() { m_blocks.clear(); }
    int size() const { return int(m_blocks.size()); }

private:
    QHash<quint16, QByteArray> m_blocks;
};

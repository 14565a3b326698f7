#pragma once
#include <QVariantList>
#include <array>

// The lighting effect as the firmware takes it: mode, level, third value.
struct EffectValues {
    uchar mode = 0;
    uchar level = 0;
    uchar third = 0;
    bool operator==(const EffectValues& o) const
    {
        return mode == o.mode && level == o.level && third == o.third;
    }
};

// The scene's effect index with its speed (option1) and brightness
// (option2) indexes, for mice with and without the colour flag.
EffectValues effectValues(bool colorful, uchar effect, uchar option1, uchar option2);

// The 64-byte lighting attribute block; missing colour values count as 0,
// effect 6 (off) is sent as effect 0 with every colour byte 0.
std::array<uchar, 64> lightingAttributeBlock(uchar effect, uchar brightness, uchar speed,
                                             uchar direction, const QVariantList& rgb);

// Up to n list items as bytes (low 8 bits) into n zeroed bytes.
template <size_t N>
std::array<uchar, N> bytesFromList(const QVariantList& list)
{
    std::array<uchar, N> bytes{};
    for (size_t i = 0; i < N && i < size_t(list.size()); ++i)
        bytes[i] = uchar(list.at(int(i)).toInt());
    return bytes;
}

// Eight 4-bit stage colour indexes packed two per byte, the first of each
// pair in the low nibble.
std::array<uchar, 4> packStageColorIndexes(const uchar* values8);

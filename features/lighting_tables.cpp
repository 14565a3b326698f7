// Lighting effects: the scene's choices to the firmware's effect values.
#include "features/lighting_tables.h"

namespace {

// Brightness indexes 1..4 of the colour-flag mice.
constexpr uchar BrightnessSteps[5] = {0, 64, 128, 192, 255};

enum class Level { Zero, Brightness };

// Colour-flag mice: per effect 0..10 the mode, where the level comes from and
// the third value per speed index 0..4 (all zero: no third value).
struct ColorfulEffect {
    uchar mode;
    Level level;
    uchar third[5];
};
constexpr ColorfulEffect ColorfulEffects[] = {
    {1, Level::Brightness, {0, 0, 0, 0, 0}},
    {3, Level::Zero, {10, 7, 5, 3, 1}},
    {4, Level::Zero, {10, 7, 5, 3, 1}},
    {0, Level::Zero, {0, 0, 0, 0, 0}},
    {2, Level::Brightness, {0, 0, 0, 0, 0}},
    {5, Level::Brightness, {10, 7, 5, 3, 1}},
    {6, Level::Zero, {0, 0, 0, 0, 0}},
    {7, Level::Brightness, {0, 0, 0, 0, 0}},
    {8, Level::Brightness, {20, 17, 15, 13, 11}},
    {9, Level::Brightness, {15, 13, 10, 7, 5}},
    {10, Level::Brightness, {30, 27, 24, 22, 20}},
};

// Mice without the colour flag.
constexpr uchar PlainStaticLevels[5] = {1, 3, 5, 7, 10};    // effect 0, by option2
constexpr uchar PlainEffect2Levels[5] = {30, 24, 18, 12, 6}; // effect 2, by option1

constexpr uchar AttributeHeader = 0x32;
constexpr uchar EffectOff = 6;
constexpr int AttributeColours = 45;

uchar byIndex(const uchar (&table)[5], uchar index)
{
    return index < 5 ? table[index] : 0;
}

} // namespace

EffectValues effectValues(bool colorful, uchar effect, uchar option1, uchar option2)
{
    EffectValues v;
    if (colorful) {
        if (effect >= sizeof ColorfulEffects / sizeof ColorfulEffects[0])
            return v;
        const ColorfulEffect& e = ColorfulEffects[effect];
        v.mode = e.mode;
        v.level = e.level == Level::Brightness && option2 >= 1 && option2 <= 4 ? BrightnessSteps[option2] : 0;
        v.third = byIndex(e.third, option1);
        return v;
    }
    switch (effect) {
    case 0: return {1, byIndex(PlainStaticLevels, option2), 1};
    case 1: return {2, uchar(option1 + 1), 1};
    case 2: return {3, byIndex(PlainEffect2Levels, option1), 1};
    case 4: return {2, uchar(option1 + 1), 3};
    default: return v;
    }
}

std::array<uchar, 64> lightingAttributeBlock(uchar effect, uchar brightness, uchar speed,
                                             uchar direction, const QVariantList& rgb)
{
    std::array<uchar, 64> block{};
    block[0] = AttributeHeader;
    block[1] = effect == EffectOff ? 0 : effect;
    block[2] = brightness;
    block[3] = speed;
    block[4] = direction;
    if (effect != EffectOff) {
        const auto colours = bytesFromList<AttributeColours>(rgb);
        for (int i = 0; i < AttributeColours; ++i)
            block[size_t(5 + i)] = colours[size_t(i)];
    }
    return block;
}

std::array<uchar, 4> packStageColorIndexes(const uchar* v)
{
    std::array<uchar, 4> packed{};
    for (int k = 0; k < 4; ++k)
        packed[size_t(k)] = uchar((v[2 * k] & 0x0F) | (v[2 * k + 1] << 4));
    return packed;
}

// Button functions: from the scene's key entries to the firmware's.
#include "features/key_conversion.h"

namespace {

constexpr uchar TypeMouse = 0x00;
constexpr uchar TypeMacro = 0x04;
constexpr uchar TypeDpi = 0x05;
constexpr uchar TypeGun = 0x08;

// Scene type -> firmware type, for the types that only change their type byte.
struct TypeRule {
    uchar uiType;
    uchar deviceType;
};
constexpr TypeRule TypeRules[] = {
    {0x00, 0x01}, // mouse button
    {0x01, 0x0A}, // fire
    {0x02, 0x00}, // key combination
    {0x03, 0x03}, // media
    {0x04, 0x09}, // macro (slot number also shifted, below)
    {0x05, 0x07}, // DPI function
    {0x06, 0x00}, // system function
    {0x07, 0x00}, // shortcut
    {0x08, 0x08}, // gun
    {0xFF, 0x04}, // fixed entries of the default matrix
};

// The double click (00 F0 1E 02) is a fire entry on the firmware side.
constexpr uchar DoubleClickB2 = 0x1E;
constexpr uchar DoubleClickB3 = 0x02;
constexpr uchar FireType = 0x0A;

// The sniper DPI function (05 00 04 00) has its own entry per family.
constexpr uchar SniperB2 = 0x04;
constexpr KeyEntry Sniper560 = {0x0B, 0x00, 0x01, 0x01};
constexpr KeyEntry Sniper553 = {0x07, 0x00, 0x04, 0x01};

// Consumer usages the firmware only plays as media keys (b2 low byte, b3 high).
constexpr unsigned ConsumerUsages[] = {0x0221, 0x0223, 0x0194};
constexpr uchar ConsumerType = 0x03;

// Positions the firmware reserves, whatever the scene gave.
constexpr int SwapA = 3;
constexpr int SwapB = 4;
constexpr KeyEntry FixedEntry6 = {0x0B, 0x07, 0x00, 0x00};
constexpr KeyEntry FixedEntry7 = {0x05, 0x00, 0x01, 0x00};

// Gun entries: per gun number 1..3, b3 (553) or b2 (560) of the device matrix
// and of the fire matrices 2, 3, 4.
struct GunColumn {
    uchar device, fire1, fire2, fire3;
};
constexpr GunColumn Gun553[3] = {{1, 0, 0, 0}, {1, 2, 0, 0}, {1, 2, 3, 0}};
constexpr GunColumn Gun560[3] = {{1, 0, 0, 0}, {1, 3, 0, 0}, {1, 3, 3, 0}};
constexpr uchar GunMask560[3] = {0x07, 0x0F, 0x1F};

constexpr uchar FireEntryType = 0x0B;

} // namespace

KeyEntry keyEntryAt(const KeyMatrix& m, int i)
{
    return {m[size_t(4 * i)], m[size_t(4 * i + 1)], m[size_t(4 * i + 2)], m[size_t(4 * i + 3)]};
}

void setKeyEntry(KeyMatrix& m, int i, const KeyEntry& e)
{
    for (int k = 0; k < 4; ++k)
        m[size_t(4 * i + k)] = e[size_t(k)];
}

KeyEntry toDeviceKeyEntry(const KeyEntry& ui, bool is560)
{
    KeyEntry d = ui;
    const uchar type = ui[0];
    if (type == TypeMouse && ui[2] == DoubleClickB2 && ui[3] == DoubleClickB3) {
        d[0] = FireType;
    } else if (type == TypeDpi && ui[2] == SniperB2) {
        d = is560 ? Sniper560 : Sniper553;
    } else {
        for (const TypeRule& rule : TypeRules) {
            if (rule.uiType == type) {
                d[0] = rule.deviceType;
                break;
            }
        }
        if (type == TypeMacro)
            d[2] = uchar(ui[2] + 1);
    }
    const unsigned usage = unsigned(d[2]) | (unsigned(d[3]) << 8);
    for (unsigned consumer : ConsumerUsages) {
        if (usage == consumer)
            d[0] = ConsumerType;
    }
    return d;
}

KeyMatrix toDeviceKeyMatrix(const QVariantList& ui64, bool is560)
{
    KeyMatrix d{};
    for (int i = 0; i < KeyMatrixEntries; ++i) {
        KeyEntry ui{};
        for (int k = 0; k < 4; ++k)
            ui[size_t(k)] = uchar(ui64.value(4 * i + k).toInt());
        setKeyEntry(d, i, toDeviceKeyEntry(ui, is560));
    }
    const KeyEntry a = keyEntryAt(d, SwapA);
    setKeyEntry(d, SwapA, keyEntryAt(d, SwapB));
    setKeyEntry(d, SwapB, a);
    setKeyEntry(d, 6, FixedEntry6);
    setKeyEntry(d, 7, FixedEntry7);
    return d;
}

KeyMatrix keyMatrixFromEntries(const QList<QVariantList>& entries)
{
    KeyMatrix m{};
    for (int i = 0; i < KeyMatrixEntries && i < entries.size(); ++i) {
        const QVariantList& e = entries.at(i);
        for (int k = 0; k < 4 && k < e.size(); ++k)
            m[size_t(4 * i + k)] = uchar(e.at(k).toInt());
    }
    return m;
}

bool hasGunEntry(const KeyMatrix& device)
{
    for (int i = 0; i < KeyMatrixEntries; ++i) {
        if (device[size_t(4 * i)] == TypeGun)
            return true;
    }
    return false;
}

GunMatrices buildGunMatrices(const KeyMatrix& device, const KeyMatrix& fwTemplate, bool is560,
                             const std::array<uchar, 3>& periods)
{
    GunMatrices g;
    g.device = device;
    g.fire1 = g.fire2 = g.fire3 = fwTemplate;
    KeyMatrix* all[4] = {&g.device, &g.fire1, &g.fire2, &g.fire3};
    for (int i = 0; i < KeyMatrixEntries; ++i) {
        const size_t at = size_t(4 * i);
        if (device[at] != TypeGun)
            continue;
        const int gun = device[at + 2];
        for (KeyMatrix* m : all)
            (*m)[at] = TypeGun;
        const bool known = gun >= 1 && gun <= 3;
        if (!is560) {
            for (KeyMatrix* m : all) {
                (*m)[at + 1] = 0;
                (*m)[at + 2] = 1;
            }
            if (known) {
                const GunColumn& c = Gun553[gun - 1];
                g.device[at + 3] = c.device;
                g.fire1[at + 3] = c.fire1;
                g.fire2[at + 3] = c.fire2;
                g.fire3[at + 3] = c.fire3;
            }
        } else if (known) {
            const GunColumn& c = Gun560[gun - 1];
            g.device[at + 2] = c.device;
            g.fire1[at + 2] = c.fire1;
            g.fire2[at + 2] = c.fire2;
            g.fire3[at + 2] = c.fire3;
            g.image0Byte2 = GunMask560[gun - 1];
        }
    }
    setKeyEntry(g.fire1, 0, {FireEntryType, 0x00, periods[0], 0x00});
    setKeyEntry(g.fire2, 0, {FireEntryType, 0x01, periods[1], 0x00});
    setKeyEntry(g.fire3, 0, {FireEntryType, 0x02, periods[2], 0x00});
    return g;
}

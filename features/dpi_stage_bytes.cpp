// DPI values to sensor register codes, per sensor model.
#include "features/dpi_stage_bytes.h"

namespace {

enum class Rule {
    Hundreds,     // f / 100 - 1
    Steps,        // base + smallest k in [1, last] with step * k >= f; 0 above
    Fifties,      // f / 50, the ninth bit in the high-bit mask
    TwoRanges,    // f / 100 - 1 up to 5000, above that (f / 200) | 0x40
};

struct Sensor {
    const char* name;
    Rule rule;
    int step;
    int last;
    uchar base;
};

constexpr Sensor Sensors[] = {
    {"4090", Rule::TwoRanges, 0, 0, 0},
    {"3360", Rule::Hundreds, 0, 0, 0},
    {"3050", Rule::Steps, 250, 8, 0x00},
    {"3389", Rule::Fifties, 0, 0, 0},
    {"3320", Rule::Steps, 500, 14, 0x20},
    {"3305", Rule::Steps, 400, 8, 0x00},
    {"5050", Rule::Steps, 125, 11, 0x00},
};

constexpr int TwoRangesSplit = 5000;
constexpr uchar TwoRangesHighFlag = 0x40;
constexpr int HighBitFrom = 12800;

const Sensor& sensorFor(const QString& name)
{
    for (const Sensor& s : Sensors) {
        if (name == QLatin1String(s.name))
            return s;
    }
    return Sensors[0];
}

} // namespace

uchar dpiStageByte(const QString& sensorType, int f)
{
    const Sensor& s = sensorFor(sensorType);
    switch (s.rule) {
    case Rule::Hundreds:
        return uchar(f / 100 - 1);
    case Rule::Fifties:
        return uchar(f / 50);
    case Rule::TwoRanges:
        return f <= TwoRangesSplit ? uchar(f / 100 - 1) : uchar((f / 200) | TwoRangesHighFlag);
    case Rule::Steps:
        for (int k = 1; k <= s.last; ++k) {
            if (s.step * k >= f)
                return uchar(s.base + k);
        }
        return 0;
    }
    return 0;
}

bool dpiNeedsHighBit(const QString& sensorType, int dpi)
{
    return sensorFor(sensorType).rule == Rule::Fifties && dpi >= HighBitFrom;
}

uchar dpiStageMask(int count)
{
    if (count <= 0)
        return 0;
    if (count >= 8)
        return 0xFF;
    return uchar((1u << count) - 1);
}

uchar lodCode(uchar rate)
{
    switch (rate) {
    case 125: return 0x40;
    case 108: return 0x34;
    default: return 0x1E;
    }
}

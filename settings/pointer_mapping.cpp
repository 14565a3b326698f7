// Slider indexes of the system page to the system's pointer values.
#include "settings/pointer_mapping.h"
#include <algorithm>

namespace {
constexpr int SpeedMin = 1;
constexpr int SpeedMax = 20;
constexpr uint DoubleClickSlowestMs = 900;
constexpr uint DoubleClickStepMs = 70;
}

int pointerSpeedForIndex(uint index)
{
    const int speed = 2 * int(std::min(index, PointerIndexMax));
    return speed == 0 ? 1 : speed;
}

uint doubleClickTimeForIndex(uint index)
{
    return DoubleClickSlowestMs - DoubleClickStepMs * std::min(index, PointerIndexMax);
}

double pointerSpeedOnRange(int speed, double low, double high)
{
    const int s = std::clamp(speed, SpeedMin, SpeedMax);
    return low + (high - low) * double(s - SpeedMin) / double(SpeedMax - SpeedMin);
}

double pointerIndexOnRange(int speed, double low, double high)
{
    const int index = std::clamp(speed, SpeedMin, SpeedMax) / 2;
    return low + (high - low) * double(index) / double(PointerIndexMax);
}

uint indexForPointerSpeed(int speed)
{
    return uint(std::clamp(speed, SpeedMin, SpeedMax) / 2);
}

uint indexForDoubleClickTime(int milliseconds)
{
    const double steps = (double(DoubleClickSlowestMs) - double(milliseconds)) / double(DoubleClickStepMs);
    return uint(std::clamp(qRound(steps), 0, int(PointerIndexMax)));
}

uint indexOnRange(double value, double low, double high)
{
    if (!(high > low))
        return 0;
    const double steps = (value - low) / (high - low) * double(PointerIndexMax);
    return uint(std::clamp(qRound(steps), 0, int(PointerIndexMax)));
}

int pointerSpeedFromRange(double value, double low, double high)
{
    if (!(high > low))
        return SpeedMin;
    const double steps = (value - low) / (high - low) * double(SpeedMax - SpeedMin);
    return std::clamp(SpeedMin + qRound(steps), SpeedMin, SpeedMax);
}

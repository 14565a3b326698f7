#pragma once
#include <QtGlobal>

// The scene's pointer-speed and double-click sliders give an index 0 to 10.
constexpr uint PointerIndexMax = 10;

// System pointer speed 1..20: twice the index, 1 for index 0; indexes above
// the scene's range count as its top.
int pointerSpeedForIndex(uint index);

// Double-click time in milliseconds: 900 at index 0 down to 200 at index 10;
// indexes above the scene's range count as its top.
uint doubleClickTimeForIndex(uint index);

// The pointer speed 1..20 placed linearly on [low, high] (used for pointer
// acceleration settings that take a range instead of a step number).
double pointerSpeedOnRange(int speed, double low, double high);

// The slider index 0..10 a pointer speed 1..20 came from, placed evenly on
// [low, high]: index 0 gives low, 5 the middle, 10 high (for desktops whose
// pointer speed is a range, such as libinput's -1..1).
double pointerIndexOnRange(int speed, double low, double high);

// The other way, for showing the desktop's current values on the sliders:
// the nearest slider index 0..10 of a system pointer speed 1..20, of a
// double-click time in milliseconds, and of a value placed on [low, high]
// as pointerIndexOnRange places it.
uint indexForPointerSpeed(int speed);
uint indexForDoubleClickTime(int milliseconds);
uint indexOnRange(double value, double low, double high);
// The pointer speed 1..20 a value placed by pointerSpeedOnRange came from.
int pointerSpeedFromRange(double value, double low, double high);

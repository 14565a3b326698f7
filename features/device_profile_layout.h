#pragma once

// Where the settings live inside a 128-byte on-device profile image of the
// 560 family. Image 0 carries the lighting; images 1 to 4 the DPI stages,
// the lift-off distance and, for gun slot n, image n + 1 the gun preset.
namespace DeviceProfileLayout {
constexpr int OffsetColorsImage0 = 24;   // stage colours in image 0
constexpr int OffsetEffectMode = 71;     // lighting effect
constexpr int OffsetEffectLevel = 72;
constexpr int OffsetEffectThird = 73;
constexpr int OffsetFlags = 65;          // bit 0 LOD enable, bit 2 gun off
constexpr unsigned char FlagLodEnable = 0x01;
constexpr unsigned char FlagGunOff = 0x04;
constexpr int OffsetGunMarker = 78;
constexpr unsigned char GunMarker = 0xF0;
constexpr int OffsetGunTimes = 79;
constexpr int OffsetGunX = 80;
constexpr int OffsetGunY = 81;
constexpr int OffsetHighBits = 82;       // high bits of the stage codes
constexpr int OffsetStages = 84;         // eight stage codes
constexpr int OffsetStagesAgain = 92;    // the same eight again
constexpr int OffsetStageMask = 100;
constexpr int OffsetLod = 101;           // LOD code, image 1 only
constexpr int OffsetColorsImage1 = 104;  // stage colours in image 1
} // namespace DeviceProfileLayout

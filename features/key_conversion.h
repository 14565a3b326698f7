#pragma once
#include <QVariantList>
#include <array>

// A key matrix as the firmware takes it: 16 entries of 4 bytes (type, b1,
// b2, b3), entry i at bytes 4i to 4i+3.
using KeyEntry = std::array<uchar, 4>;
using KeyMatrix = std::array<uchar, 64>;

constexpr int KeyMatrixEntries = 16;
constexpr int KeyMatrixUiValues = 64;

KeyEntry keyEntryAt(const KeyMatrix& m, int i);
void setKeyEntry(KeyMatrix& m, int i, const KeyEntry& e);

// Converts one button function as the scene stores it into the entry the
// firmware expects; the consumer-usage rule is applied last, whatever the
// type.
KeyEntry toDeviceKeyEntry(const KeyEntry& ui, bool is560);

// Converts the scene's flat list of 64 values (each cut to its low 8 bits)
// into the device key matrix: every entry converted, entries 3 and 4
// swapped, entries 6 and 7 fixed. The list must hold at least 64 values.
KeyMatrix toDeviceKeyMatrix(const QVariantList& ui64, bool is560);

// The firmware template: up to 16 stored entries, each a list of up to four
// numbers; a missing entry or number counts as 0.
KeyMatrix keyMatrixFromEntries(const QList<QVariantList>& entries);

// True when some entry is a gun entry (device type 0x08).
bool hasGunEntry(const KeyMatrix& device);

// The matrices a download with gun entries sends: the device matrix with its
// gun entries rewritten and the three fire matrices (numbers 2, 3, 4) built
// from the firmware template. image0Byte2 is the gun matrix mask for byte 2
// of on-device profile image 0 (560 family), or -1 when nothing sets it.
struct GunMatrices {
    KeyMatrix device{};
    KeyMatrix fire1{};
    KeyMatrix fire2{};
    KeyMatrix fire3{};
    int image0Byte2 = -1;
};
GunMatrices buildGunMatrices(const KeyMatrix& device, const KeyMatrix& fwTemplate, bool is560,
                             const std::array<uchar, 3>& periods);

#pragma once
#include <QString>
#include <QtGlobal>

// The one-byte register code of a DPI value for a sensor model. Names not
// known to the table are treated as "4090".
uchar dpiStageByte(const QString& sensorType, int dpi);

// True when the value needs the ninth bit of the "3389" sensor (the stage's
// bit of the high-bit mask); always false for the other sensors.
bool dpiNeedsHighBit(const QString& sensorType, int dpi);

// Bits 0 to count - 1 set; a count above 8 sets all eight.
uchar dpiStageMask(int count);

// The LOD code for the three lift-off slider positions 125, 108, 90.
uchar lodCode(uchar rate);

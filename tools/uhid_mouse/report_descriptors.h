#pragma once
#include <QByteArray>

// HID report descriptors of the mouse's two vendor collections. Neither uses
// report ids, as on the mouse: every report is report 0.
namespace ReportDescriptors {
// Usage page/usage FF00/FF00: a feature report of 8 bytes (commands and their
// answers), an output report of 32 bytes (data), an input report of 32 bytes
// (block answers).
QByteArray commandCollection();
// Usage page/usage FF01/FF01: an input report of 4 bytes (events).
QByteArray eventCollection();
// Both top-level collections in one descriptor, as one interface would carry them.
QByteArray bothCollections();
} // namespace ReportDescriptors

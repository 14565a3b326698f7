#include "report_descriptors.h"

namespace {
QByteArray bytes(std::initializer_list<unsigned char> list)
{
    QByteArray out;
    for (unsigned char b : list)
        out.append(char(b));
    return out;
}
} // namespace

namespace ReportDescriptors {

QByteArray commandCollection()
{
    return bytes({
        0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
        0x0A, 0x00, 0xFF,  // Usage (0xFF00)
        0xA1, 0x01,        // Collection (Application)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x09, 0x01,        //   Usage (1)
        0x95, 0x20,        //   Report Count (32)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0x09, 0x02,        //   Usage (2)
        0x95, 0x20,        //   Report Count (32)
        0x91, 0x02,        //   Output (Data, Variable, Absolute)
        0x09, 0x03,        //   Usage (3)
        0x95, 0x08,        //   Report Count (8)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0xC0,              // End Collection
    });
}

QByteArray eventCollection()
{
    return bytes({
        0x06, 0x01, 0xFF,  // Usage Page (0xFF01)
        0x0A, 0x01, 0xFF,  // Usage (0xFF01)
        0xA1, 0x01,        // Collection (Application)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x09, 0x01,        //   Usage (1)
        0x95, 0x04,        //   Report Count (4)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0xC0,              // End Collection
    });
}

QByteArray bothCollections()
{
    return commandCollection() + eventCollection();
}

} // namespace ReportDescriptors

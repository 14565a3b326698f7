#pragma once
#include <QString>

// What the global configuration says about the mouse the installation is
// for. Read once when the configuration is opened: the traits name the
// firmware family, and a running program never changes its family.
struct DeviceTraits {
    QString icType;        // "560" for the 560 family, anything else is the 553 family
    bool colorful = false; // per-stage colours kept in on-device profile image 0
    bool gun = false;      // the mouse has the gun function and its slots
    bool is55328 = false;  // the 553 variant with its own colour commands
    // Every block is sent even when the mouse holds it already (diagnosis).
    bool alwaysSendAll = false;

    bool is560() const { return icType == QLatin1String("560"); }
};

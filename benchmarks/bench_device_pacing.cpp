// Measures how much time a download takes above the pacing the protocol
// mandates, with real sleeps against the virtual mouse. Not a test: it only
// prints figures.
#include "device/clock.h"
#include "device/device_table.h"
#include "device/hid_thread.h"
#include "device/virtual_mouse.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>

namespace {
double measure(int runs, const std::function<void()>& command)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        command();
    return double(timer.nsecsElapsed()) / 1e6 / runs;
}

void report(const char* name, int mandatedMs, double measuredMs)
{
    std::printf("%-34s mandated %4d ms  measured %8.2f ms  overhead %6.2f ms\n", name, mandatedMs,
                measuredMs, measuredMs - mandatedMs);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    RealClock clock;

    for (auto family : {VirtualFirmware::Family::F553, VirtualFirmware::Family::F560}) {
        VirtualMouse mouse(family);
        Hid_Thread hid;
        hid.setClock(&clock);
        mouse.attach(hid);

        uchar payload[128];
        for (int i = 0; i < 128; ++i)
            payload[i] = uchar(i);
        if (family == VirtualFirmware::Family::F553) {
            // Settle, two data reports with 120 ms after each, settle.
            report("553 key matrix (12H, 64 bytes)", 128 + 2 * 120 + 128,
                   measure(runs, [&] { hid.hid553_12H_SetKeyMatrix(payload, 1); }));
            report("553 select DPI stage (0BH)", 128,
                   measure(runs, [&] { hid.hid553_0BH_SetCurrentDPI(2); }));
        } else {
            report("560 profile write (0CH, 128 bytes)", 128 + 4 * 120 + 128,
                   measure(runs, [&] { hid.hid560_0CH_setProfile(payload, 1); }));
            uchar image[128] = {};
            report("560 profile read (8CH, 128 bytes)", 0,
                   measure(runs, [&] { hid.hid560_8CH_readProfile(image, 1); }));
        }
    }
    return 0;
}

// How long a profile switch takes, click to usable: the real program (Widget,
// its scene, the real clock) against the virtual mouse of each family,
// switching between the standard profile A and a profile B that differs
// (a) only in its name (the same settings file), (b) only in its DPI values,
// (c) in everything the mouse stores (buttons, DPI values and stages, LOD,
// colours, report rate). Each switch A -> B and B -> A is measured; for each
// case it prints the mean wall time per switch, the transfers sent (commands,
// and the reports they took: command and data reports) and the pacing those
// transfers imply (the sum of their waits). Run it on a
// display (DISPLAY=:NN under Xvfb).
//
//   bench_profile_switch [--family 553|560] [--runs N]
//
// Without --family it runs itself once for each family.
// Targets: (a) under 0.3 s; (b) the DPI blocks' pacing plus at most 0.3 s;
// (c) at most 1.1 x the full pacing of a switch that sends every block.
#include "app/application_startup.h"
#include "benchmarks/bench_support.h"
#include "app/myqquickview.h"
#include "app/widget.h"
#include "device/clock.h"
#include "device/virtual_mouse.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

namespace {
// The real clock, adding up what it is asked to wait.
class CountingClock : public Clock {
public:
    void sleepMs(int milliseconds) override
    {
        pacedMs += milliseconds;
        m_real.sleepMs(milliseconds);
    }
    long long nowMs() const override { return m_real.nowMs(); }
    long long pacedMs = 0;
private:
    RealClock m_real;
};

using bench::spin;

// Profile files p2 to p4 (slots 1 to 3): the cases' profile B.
void prepareProfiles()
{
    const QString a = QStringLiteral("./modules/setting/p1.bin");
    for (int n = 2; n <= 4; ++n) {
        const QString b = QStringLiteral("./modules/setting/p%1.bin").arg(n);
        QFile::remove(b);
        QFile::copy(a, b);
    }
    {
        QSettings dpi(QStringLiteral("./modules/setting/p3.bin"), QSettings::IniFormat);
        dpi.setValue(QStringLiteral("mouse/dpiValueArray"),
                     QStringList{"500", "900", "1300", "1700", "2500", "3300", "6400", "12000"});
    }
    QSettings all(QStringLiteral("./modules/setting/p4.bin"), QSettings::IniFormat);
    all.setValue(QStringLiteral("mouse/dpiValueArray"),
                 QStringList{"500", "900", "1300", "1700", "2500", "3300", "6500", "11000"});
    all.setValue(QStringLiteral("mouse/dpiEnableArray"), QStringList{"1", "1", "1", "1", "1", "1", "1", "0"});
    all.setValue(QStringLiteral("mouse/currentDpiCount"), QStringLiteral("7"));
    all.setValue(QStringLiteral("mouse/lod"), QStringLiteral("2"));
    all.setValue(QStringLiteral("mouse/reportRate"), QStringLiteral("2"));
    QStringList colors;
    for (int i = 0; i < 24; ++i)
        colors << QString::number((i * 37) % 256);
    all.setValue(QStringLiteral("mouse/dpiColorType1"), colors);
    // Left and right buttons swapped.
    all.setValue(QStringLiteral("mouseKeyMatrix/0"), QStringList{"0", "0", "241", "0"});
    all.setValue(QStringLiteral("mouseKeyMatrix/1"), QStringList{"0", "0", "240", "0"});
}

void dropDebugLines(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int runFamily(const QString& family, int runs)
{
    qInstallMessageHandler(dropDebugLines);
    chooseSceneRenderer();
    QTemporaryDir dir;
    bench::enterDataCopy(dir);
    {
        QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
        config.setValue(QStringLiteral("mouse/icType"), family);
        config.setValue(QStringLiteral("common/language"), QStringLiteral("English"));
    }
    prepareProfiles();

    VirtualMouse mouse(family == QLatin1String("560") ? VirtualFirmware::Family::F560
                                                      : VirtualFirmware::Family::F553);
    CountingClock clock;
    long long commands = 0, reports = 0;
    mouse.trace = [&commands, &reports](const QString& line) {
        if (line.startsWith(QLatin1String("feature-out")))
            ++commands;
        if (line.startsWith(QLatin1String("feature-out")) || line.startsWith(QLatin1String("write ")))
            ++reports;
    };
    auto* widget = new Widget;
    widget->stopSystemHotplug();
    widget->hid().setPort(&mouse);
    widget->hid().setClock(&clock);
    widget->resize(1280, 720);
    widget->show();
    widget->checkDevice();
    QQuickItem* root = widget->view()->rootObject();
    QElapsedTimer wait;
    wait.start();
    while (!root->property("isUiShown").toBool() && wait.elapsed() < 30000)
        spin(20);
    spin(300);

    // The first switch after connection sends every block whose bytes the
    // mouse was not seen to hold; it is measured on its own.
    {
        const long long c0 = commands, r0 = reports, p0 = clock.pacedMs;
        QElapsedTimer t;
        t.start();
        QMetaObject::invokeMethod(root, "changeProfile", Q_ARG(QVariant, QVariant(3)));
        std::printf("family %s, first switch after connection (A -> (c)): wall %6.3f s | transfers %5lld "
                    "(reports %5lld) | pacing %6.3f s\n", qPrintable(family), double(t.elapsed()) / 1000.0,
                    commands - c0, reports - r0, double(clock.pacedMs - p0) / 1000.0);
        spin(100);
        QMetaObject::invokeMethod(root, "changeProfile", Q_ARG(QVariant, QVariant(0)));
        spin(100);
    }
    struct Case { const char* name; int slot; };
    const Case cases[] = {{"(a) names only", 1}, {"(b) DPI only", 2}, {"(c) everything", 3}};
    std::printf("family %s, %d runs of A -> B -> A per case, mean per switch\n", qPrintable(family), runs);
    for (const Case& c : cases) {
        qint64 wall = 0;
        long long sent = 0, sentReports = 0, paced = 0;
        int switches = 0;
        for (int r = 0; r < runs; ++r) {
            for (int slot : {c.slot, 0}) {
                const long long c0 = commands, r0 = reports, p0 = clock.pacedMs;
                QElapsedTimer t;
                t.start();
                QMetaObject::invokeMethod(root, "changeProfile", Q_ARG(QVariant, QVariant(slot)));
                wall += t.elapsed();
                sent += commands - c0;
                sentReports += reports - r0;
                paced += clock.pacedMs - p0;
                ++switches;
                spin(100);
            }
        }
        std::printf("  %-16s wall %6.3f s | transfers %5.1f (reports %5.1f) | pacing %6.3f s\n", c.name,
                    double(wall) / switches / 1000.0, double(sent) / switches, double(sentReports) / switches,
                    double(paced) / switches / 1000.0);
        std::fflush(stdout);
    }

    widget->hid().hidStopListen();
    mouse.interruptReads();
    widget->hid().waitListenerEnded();
    delete widget;
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"family", "553 or 560; both when not given", "FAMILY"});
    parser.addOption({"runs", "A -> B -> A round trips per case", "N", "2"});
    parser.process(app);
    const int runs = qMax(1, parser.value("runs").toInt());
    if (parser.isSet("family"))
        return runFamily(parser.value("family"), runs);
    int status = 0;
    for (const char* family : {"553", "560"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--family"), QLatin1String(family), QStringLiteral("--runs"),
                     QString::number(runs)});
        child.waitForFinished(-1);
        status |= child.exitCode();
    }
    return status;
}

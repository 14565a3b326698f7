// How long the window goes without a frame while the mouse is written to:
// the real program (Widget, its scene, the real clock) against the virtual
// 560-family mouse, connected as detection does; then a profile switch and a
// "Save" of three pages, each made through the scene. Prints, for each, the
// longest interval between two frames the scene rendered (the busy
// indicator's animation asks for one every 16 ms, so a long interval means
// the GUI thread did not get to it), how many of them changed the window's
// pixels (a paint of the view; the indicator draws nothing in its first half
// second, so paints start with its progress note), and the time each took.
// Run it on a display (DISPLAY=:NN under Xvfb).
//
//   bench_transfer_responsiveness [--blocking] [--runs N] [--grab PNG]
//
// --grab saves a picture of the window one second into the first profile
// switch, taken by a timer that fires while the switch is under way.
// --blocking sleeps without handling events, as the pacing did before, for
// comparison. The target is under 50 ms between frames.
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
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {
// The pacing as it was: the GUI thread sleeps and paints nothing.
class BlockingClock : public Clock {
public:
    void sleepMs(int milliseconds) override { QThread::msleep(static_cast<unsigned long>(milliseconds)); }
    long long nowMs() const override { return m_real.nowMs(); }
private:
    RealClock m_real;
};

// Records when the view paints.
class PaintWatch : public QObject {
public:
    QElapsedTimer clock;
    QList<qint64> paints;
    QObject* view = nullptr;
    QList<qint64> repaints;  // paints of the view
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == view && event->type() == QEvent::Paint)
            repaints << clock.elapsed();
        return false;
    }
    // What the mouse received, with the time, to tell what a long gap spans.
    QList<QPair<qint64, QString>> calls;
    // Longest gap between frames within [from, to], the ends included; its
    // start in gapStart.
    qint64 gapStart = 0;
    qint64 longestGap(qint64 from, qint64 to)
    {
        qint64 last = from;
        qint64 longest = 0;
        for (qint64 t : paints) {
            if (t < from || t > to)
                continue;
            if (t - last > longest) {
                longest = t - last;
                gapStart = last;
            }
            last = t;
        }
        if (to - last > longest) {
            longest = to - last;
            gapStart = last;
        }
        return longest;
    }
    // The device calls made during the gap that starts at `start`.
    QStringList callsDuring(qint64 start, qint64 length) const
    {
        QStringList out;
        for (const auto& c : calls) {
            if (c.first >= start && c.first <= start + length)
                out << QStringLiteral("%1 ms %2").arg(c.first - start).arg(c.second.left(40));
        }
        return out;
    }
};

using bench::spin;

void report(const char* what, PaintWatch& watch, QQuickItem* root, const char* function, const QVariant& arg)
{
    const qint64 from = watch.clock.elapsed();
    if (arg.isValid())
        QMetaObject::invokeMethod(root, function, Q_ARG(QVariant, arg));
    else
        QMetaObject::invokeMethod(root, function);
    const qint64 to = watch.clock.elapsed();
    int frames = 0;
    for (qint64 t : watch.paints)
        frames += t >= from && t <= to;
    int repaints = 0;
    for (qint64 t : watch.repaints)
        repaints += t >= from && t <= to;
    const qint64 gap = watch.longestGap(from, to);
    std::printf("%-16s took %5lld ms | frames %4d (%4d repainted the window) | longest interval between frames "
                "%5lld ms (target < 50: %s)\n",
                what, static_cast<long long>(to - from), frames, repaints, static_cast<long long>(gap),
                gap < 50 ? "met" : "missed");
    if (qEnvironmentVariableIsSet("BENCH_GAP_CALLS") /* what the mouse got meanwhile */) {
        for (const QString& line : watch.callsDuring(watch.gapStart, gap + 120))
            std::printf("    %s\n", qPrintable(line));
    }
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"blocking", "sleep without handling events, as before"});
    parser.addOption({"runs", "switches and saves measured", "N", "2"});
    parser.addOption({"grab", "picture of the window during the first switch", "PNG"});
    parser.process(app);
    // The renderer the program would choose on this machine.
    chooseSceneRenderer();

    QTemporaryDir dir;
    bench::enterDataCopy(dir);
    {
        QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
        config.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
    }

    VirtualMouse mouse(VirtualFirmware::Family::F560);
    BlockingClock blocking;
    auto* widget = new Widget;
    widget->stopSystemHotplug();
    widget->hid().setPort(&mouse);
    if (parser.isSet("blocking"))
        widget->hid().setClock(&blocking);
    widget->resize(1280, 720);
    widget->show();

    PaintWatch watch;
    watch.clock.start();
    watch.view = widget->view();
    qApp->installEventFilter(&watch);
    // Every frame the scene renders.
    QObject::connect(widget->view()->quickWindow(), &QQuickWindow::afterRendering, widget,
                     [&watch] { watch.paints << watch.clock.elapsed(); }, Qt::DirectConnection);
    mouse.trace = [&watch](const QString& line) {
        if (QThread::currentThread() == qApp->thread())
            watch.calls << qMakePair(watch.clock.elapsed(), line);
    };

    widget->checkDevice();
    QQuickItem* root = widget->view()->rootObject();
    QElapsedTimer wait;
    wait.start();
    while (!root->property("isUiShown").toBool() && wait.elapsed() < 20000)
        spin(20);
    spin(300);

    std::printf("pacing: %s | renderer: %s\n",
                parser.isSet("blocking") ? "blocking sleeps (as before)" : "event loop without user input",
                widget->view()->quickWindow()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software ? "software" : "OpenGL");
    const int runs = parser.value("runs").toInt();
    if (parser.isSet("grab")) {
        const QString png = parser.value("grab");
        QTimer::singleShot(1000, widget, [widget, png] {
            const bool busy = widget->hid().transferInProgress();
            widget->view()->grabFramebuffer().save(png);
            std::printf("grabbed %s %s a transfer\n", qPrintable(png), busy ? "during" : "outside");
        });
    }
    for (int i = 0; i < runs; ++i) {
        report("profile switch", watch, root, "changeProfile", QVariant(i % 2 == 0 ? 1 : 0));
        spin(200);
        for (const char* page : {"keyMatrixPage", "dpiPage", "systemPage"}) {
            if (QObject* p = root->findChild<QObject*>(QLatin1String(page)))
                p->setProperty("isSave", true);
        }
        report("save", watch, root, "saveAllData", QVariant());
        spin(200);
    }

    widget->hid().hidStopListen();
    mouse.interruptReads();
    widget->hid().waitListenerEnded();
    delete widget;
    return 0;
}

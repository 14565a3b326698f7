// How long the window goes without painting while the mouse is written to:
// the real program (Widget, its scene, the real clock) against the virtual
// 560-family mouse, connected as detection does; then a profile switch and a
// "Save" of three pages, each made through the scene. Prints the longest
// interval between two painted frames of the view during each, and the
// time each took. Run it on a display (DISPLAY=:NN under Xvfb).
//
//   bench_transfer_responsiveness [--blocking] [--runs N]
//
// --blocking sleeps without handling events, as the pacing did before, for
// comparison. The target is under 50 ms between frames.
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
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {
// The pacing as it was: the GUI thread sleeps and paints nothing.
class BlockingClock : public Clock {
public:
    void sleepMs(int milliseconds) override { QThread::msleep(static_cast<unsigned long>(milliseconds)); }
};

// Records when the view paints.
class PaintWatch : public QObject {
public:
    QElapsedTimer clock;
    QList<qint64> paints;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            paints << clock.elapsed();
        return false;
    }
    // Longest gap between frames within [from, to], the ends included.
    qint64 longestGap(qint64 from, qint64 to) const
    {
        qint64 last = from;
        qint64 longest = 0;
        for (qint64 t : paints) {
            if (t < from || t > to)
                continue;
            longest = qMax(longest, t - last);
            last = t;
        }
        return qMax(longest, to - last);
    }
};

void spin(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

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
    const qint64 gap = watch.longestGap(from, to);
    std::printf("%-16s took %5lld ms | frames %4d | longest interval between frames %5lld ms (target < 50: %s)\n",
                what, static_cast<long long>(to - from), frames, static_cast<long long>(gap),
                gap < 50 ? "met" : "missed");
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"blocking", "sleep without handling events, as before"});
    parser.addOption({"runs", "switches and saves measured", "N", "2"});
    parser.process(app);

    QTemporaryDir dir;
    QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"),
                                             QCoreApplication::applicationDirPath() + QStringLiteral("/../modules"),
                                             dir.path()});
    QDir::setCurrent(dir.path());
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
    widget->view()->installEventFilter(&watch);

    widget->checkDevice();
    QQuickItem* root = widget->view()->rootObject();
    QElapsedTimer wait;
    wait.start();
    while (!root->property("isUiShown").toBool() && wait.elapsed() < 20000)
        spin(20);
    spin(300);

    std::printf("pacing: %s\n", parser.isSet("blocking") ? "blocking sleeps (as before)" : "event loop without user input");
    const int runs = parser.value("runs").toInt();
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

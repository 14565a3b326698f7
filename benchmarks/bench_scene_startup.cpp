// Start-up time, memory and idle CPU of the scene, next to a plain Qt Quick
// window drawn by the qml tool, both run as separate processes on the same
// display and renderer (run it under Xvfb: DISPLAY=:NN).
//
//   bench_scene_startup [--runs N] [--idle-memory S] [--idle-cpu S] [--qml PATH]
//                       [--program PATH]
//
// For each kind it starts the process N times and reports the median time
// from process start to the first painted frame (and, for the scene, to the
// first frame of the main UI, which follows the one-second start-up lock),
// then, in one more run, the private (RssAnon) and total resident memory
// (VmRSS) after S seconds idle and the CPU time used over the next idle
// period. The scene runs in a QQuickWidget as in the program, against a
// stand-in backend that answers the start-up queries; --program also samples
// the memory and idle CPU of the whole program (e.g. halcyon-demo, whose
// virtual mouse keeps the event listener running).
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickView>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

// Answers the calls the scene makes while it starts, as a connected 553
// mouse with an English configuration would.
class StandInView : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE QVariant getGlobalData(QVariant key)
    {
        static const QVariantMap values{{"mouse/isColorful", "true"}, {"mouse/icType", "553"},
            {"mouse/is55328", "false"}, {"mouse/isGun", "true"}, {"mouse/keyCount", "14"},
            {"common/language", "English"}, {"mouse/profileNo", "0"}};
        return values.value(key.toString());
    }
    Q_INVOKABLE QVariant getData(QVariant, bool) { return QVariant(QStringLiteral("0")); }
    Q_INVOKABLE QVariant getDataList(QVariant, bool) { return QVariantList(); }
    Q_INVOKABLE QStringList getLangStrings(QString, QString) { return {}; }
    Q_INVOKABLE QStringList getNameList(int) { return {QStringLiteral("Standard0")}; }
    Q_INVOKABLE void setCurrentProfile(int) {}
    Q_INVOKABLE QVariant mouseReadCurrentProfile() { return 1; }
    Q_INVOKABLE QVariant mouseGetCurrentDPI() { return 2; }
    Q_INVOKABLE void setEnabled(bool) {}
};

class StandInWindowOps : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE void onMinimize() {}
    Q_INVOKABLE void onHide() {}
    Q_INVOKABLE void onXChanged(int) {}
    Q_INVOKABLE void onYChanged(int) {}
};

qint64 nowMs() { return QDateTime::currentMSecsSinceEpoch(); }

// The scene in a QQuickWidget; prints FIRST_FRAME and UI_FRAME timestamps.
// The scene in a plain QQuickView, to tell the widget host's share from the scene's.
int runSceneInWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    StandInView view;
    StandInWindowOps ops;
    QQuickView window;
    window.setColor(Qt::transparent);
    window.setSource(QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
    window.rootContext()->setContextProperty(QStringLiteral("ui_View"), &view);
    window.rootContext()->setContextProperty(QStringLiteral("hid"), &view);
    window.rootContext()->setContextProperty(QStringLiteral("ui_Ctl"), &ops);
    QQuickItem* root = window.rootObject();
    if (!root)
        return 1;
    window.resize(1280, 720);
    QMetaObject::invokeMethod(root, "setScreenRect", Q_ARG(QVariant, 1280), Q_ARG(QVariant, 720), Q_ARG(QVariant, false));
    bool firstSeen = false;
    bool uiSeen = false;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] {
        if (!firstSeen) {
            firstSeen = true;
            std::printf("FIRST_FRAME %lld\n", static_cast<long long>(nowMs()));
            std::fflush(stdout);
        }
        if (!uiSeen && root->property("isUiShown").toBool()) {
            uiSeen = true;
            std::printf("UI_FRAME %lld\n", static_cast<long long>(nowMs()));
            std::fflush(stdout);
        }
    }, Qt::DirectConnection);
    window.show();
    QMetaObject::invokeMethod(root, "initUI", Qt::QueuedConnection);
    return app.exec();
}

int runScene(int argc, char** argv)
{
    QApplication app(argc, argv);
    StandInView view;
    StandInWindowOps ops;
    QQuickWidget widget;
    widget.setAttribute(Qt::WA_TranslucentBackground);
    widget.setClearColor(Qt::transparent);
    widget.setSource(QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
    widget.rootContext()->setContextProperty(QStringLiteral("ui_View"), &view);
    widget.rootContext()->setContextProperty(QStringLiteral("hid"), &view);
    widget.rootContext()->setContextProperty(QStringLiteral("ui_Ctl"), &ops);
    QQuickItem* root = widget.rootObject();
    if (!root)
        return 1;
    widget.resize(1280, 720);
    QMetaObject::invokeMethod(root, "setScreenRect", Q_ARG(QVariant, 1280), Q_ARG(QVariant, 720), Q_ARG(QVariant, false));
    bool firstSeen = false;
    bool uiSeen = false;
    QObject::connect(widget.quickWindow(), &QQuickWindow::afterRendering, &widget, [&] {
        // Reported once the widget has composed the rendered frame.
        QTimer::singleShot(0, &widget, [&] {
            if (!firstSeen) {
                firstSeen = true;
                std::printf("FIRST_FRAME %lld\n", static_cast<long long>(nowMs()));
                std::fflush(stdout);
            }
            if (!uiSeen && root->property("isUiShown").toBool()) {
                uiSeen = true;
                std::printf("UI_FRAME %lld\n", static_cast<long long>(nowMs()));
                std::fflush(stdout);
            }
        });
    }, Qt::DirectConnection);
    widget.show();
    QMetaObject::invokeMethod(root, "initUI", Qt::QueuedConnection);
    return app.exec();
}

struct ProcSample {
    long rssAnonKb = 0;
    long vmRssKb = 0;
    long cpuTicks = 0;
};

ProcSample sample(qint64 pid)
{
    ProcSample s;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("RssAnon:"))
                s.rssAnonKb = line.mid(8).trimmed().split(' ').value(0).toLong();
            else if (line.startsWith("VmRSS:"))
                s.vmRssKb = line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        QByteArray text = stat.readAll();
        // Fields after the command name, which is in parentheses.
        QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        s.cpuTicks = fields.value(11).toLong() + fields.value(12).toLong();
    }
    return s;
}

struct Run {
    qint64 firstFrameMs = -1;
    qint64 uiFrameMs = -1;
};

// Starts one process and waits for its frame lines; leaves it running.
Run startAndWait(QProcess& process, const QString& program, const QStringList& args, bool waitForUi)
{
    Run run;
    qint64 t0 = nowMs();
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    QElapsedTimer timeout;
    timeout.start();
    QByteArray pending;
    while (timeout.elapsed() < 20000 && (run.firstFrameMs < 0 || (waitForUi && run.uiFrameMs < 0))) {
        process.waitForReadyRead(100);
        pending += process.readAllStandardOutput();
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            QByteArray line = pending.left(nl).trimmed();
            pending.remove(0, nl + 1);
            // The qml tool prints through the console: "qml: FIRST_FRAME ...".
            if (line.startsWith("qml: "))
                line = line.mid(5);
            QList<QByteArray> parts = line.split(' ');
            if (parts.value(0) == "FIRST_FRAME" && run.firstFrameMs < 0)
                run.firstFrameMs = parts.value(1).toLongLong() - t0;
            else if (parts.value(0) == "UI_FRAME" && run.uiFrameMs < 0)
                run.uiFrameMs = parts.value(1).toLongLong() - t0;
        }
    }
    return run;
}

void stop(QProcess& process)
{
    process.kill();
    process.waitForFinished(5000);
}

qint64 median(QList<qint64> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void waitSeconds(int seconds, QProcess& process)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < seconds * 1000LL) {
        process.waitForReadyRead(200);
        process.readAllStandardOutput();
    }
}

struct Result {
    qint64 firstMs = -1;
    qint64 uiMs = -1;
    double rssAnonMiB = 0;
};

Result measure(const char* label, const QString& program, const QStringList& args, bool hasUi,
               int runs, int idleMemory, int idleCpu)
{
    QList<qint64> first, ui;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        Run r = startAndWait(p, program, args, hasUi);
        first << r.firstFrameMs;
        if (hasUi)
            ui << r.uiFrameMs;
        stop(p);
    }
    QProcess p;
    startAndWait(p, program, args, hasUi);
    waitSeconds(idleMemory, p);
    ProcSample a = sample(p.processId());
    waitSeconds(idleCpu, p);
    ProcSample b = sample(p.processId());
    stop(p);
    long tick = sysconf(_SC_CLK_TCK);
    std::printf("%-16s first frame %5lld ms", label, static_cast<long long>(median(first)));
    if (hasUi)
        std::printf(" | main UI frame %5lld ms", static_cast<long long>(median(ui)));
    std::printf(" | RssAnon %6.1f MiB | VmRSS %6.1f MiB | CPU %ld ms over %d s idle\n",
                a.rssAnonKb / 1024.0, a.vmRssKb / 1024.0, (b.cpuTicks - a.cpuTicks) * 1000 / tick, idleCpu);
    std::fflush(stdout);
    Result result;
    result.firstMs = median(first);
    result.uiMs = hasUi ? median(ui) : result.firstMs;
    result.rssAnonMiB = a.rssAnonKb / 1024.0;
    return result;
}

// The scene beside the floor (the plain window), measured in the same run:
// first frame at most 1.3 times the floor's, main UI at most the 1000 ms
// start-up lock plus 1.5 times the floor, private memory at most 1.2 times.
void printRatios(const char* label, const Result& scene, const Result& floor)
{
    if (floor.firstMs <= 0 || scene.firstMs <= 0)
        return;
    const double first = double(scene.firstMs) / floor.firstMs;
    const double uiLimit = 1000 + 1.5 * floor.firstMs;
    const double memory = floor.rssAnonMiB > 0 ? scene.rssAnonMiB / floor.rssAnonMiB : 0;
    std::printf("%-16s first frame x%.2f of the floor (target <= 1.3: %s) | main UI %lld ms, limit %.0f ms "
                "(x%.2f of the floor; %s) | private memory x%.2f (target <= 1.2: %s)\n",
                label, first, first <= 1.3 ? "met" : "missed", static_cast<long long>(scene.uiMs), uiLimit,
                double(scene.uiMs) / floor.firstMs, scene.uiMs <= uiLimit ? "met" : "missed", memory,
                memory <= 1.2 ? "met" : "missed");
    std::fflush(stdout);
}

// Memory and idle CPU of an installed program (no frame timing): started
// as it is, sampled after the same idle periods.
void measureProgram(const QString& program, int idleMemory, int idleCpu)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, {});
    if (!p.waitForStarted(5000)) {
        std::printf("program          (could not start %s)\n", qPrintable(program));
        return;
    }
    waitSeconds(idleMemory, p);
    ProcSample a = sample(p.processId());
    waitSeconds(idleCpu, p);
    ProcSample b = sample(p.processId());
    stop(p);
    long tick = sysconf(_SC_CLK_TCK);
    std::printf("%-16s                                        | RssAnon %6.1f MiB | VmRSS %6.1f MiB | CPU %ld ms over %d s idle\n",
                "program", a.rssAnonKb / 1024.0, a.vmRssKb / 1024.0, (b.cpuTicks - a.cpuTicks) * 1000 / tick, idleCpu);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--scene-child")
            return runScene(argc, argv);
        if (QByteArray(argv[i]) == "--scene-window-child")
            return runSceneInWindow(argc, argv);
    }
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"runs", "start-up runs per kind", "N", "5"});
    parser.addOption({"idle-memory", "seconds idle before the memory sample", "S", "10"});
    parser.addOption({"idle-cpu", "seconds of idle CPU measured", "S", "30"});
    parser.addOption({"qml", "the qml tool", "PATH", "/usr/lib/qt6/bin/qml"});
    parser.addOption({"program", "also sample this program (e.g. halcyon-demo)", "PATH"});
    parser.addOption({"software", "draw every scene, the floor's too, with Qt Quick's software renderer"});
    parser.process(app);
    int runs = parser.value("runs").toInt();
    int idleMemory = parser.value("idle-memory").toInt();
    int idleCpu = parser.value("idle-cpu").toInt();
    // The children inherit the choice of renderer.
    if (parser.isSet("software"))
        qputenv("QT_QUICK_BACKEND", "software");
    std::printf("renderer: %s\n", parser.isSet("software") ? "software" : "default (OpenGL)");

    QTemporaryDir dir;
    QString plain = dir.filePath(QStringLiteral("plain.qml"));
    QFile f(plain);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write("import QtQuick\nimport QtQuick.Window\n"
            "Window { width: 1280; height: 720; visible: true; color: \"#1b1c20\"\n"
            "  property bool reported: false\n"
            "  onFrameSwapped: if (!reported) { reported = true; console.log(\"FIRST_FRAME \" + Date.now()) }\n"
            "}\n");
    f.close();

    Result floor;
    if (QFile::exists(parser.value("qml")))
        floor = measure("plain", parser.value("qml"), {plain}, false, runs, idleMemory, idleCpu);
    else
        std::printf("plain            (the qml tool is not installed: %s)\n", qPrintable(parser.value("qml")));
    const Result scene = measure("scene", QCoreApplication::applicationFilePath(), {QStringLiteral("--scene-child")},
                                 true, runs, idleMemory, idleCpu);
    const Result window = measure("scene/QQuickView", QCoreApplication::applicationFilePath(),
                                  {QStringLiteral("--scene-window-child")}, true, runs, idleMemory, idleCpu);
    printRatios("scene", scene, floor);
    printRatios("scene/QQuickView", window, floor);
    if (parser.isSet("program"))
        measureProgram(parser.value("program"), idleMemory, idleCpu);
    return 0;
}

#include "bench_scene_startup.moc"

// halcyon-sim: drives the program's real objects against the virtual mouse
// and prints the wire traffic, one event per line.
#include "sim_output.h"
#include "sim_session.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {
void usage()
{
    std::fprintf(stderr,
                 "usage: halcyon-sim [--family 553|560] [--gun] [--colorful] [--is55328]\n"
                 "                   [--sensor NAME] [--workdir DIR] [--data DIR] [--trace-startup]\n"
                 "                   [--scene QML] SCRIPT\n"
                 "SCRIPT is a file of JSON lines, or - for standard input. A relative QML\n"
                 "path is taken from the script's directory.\n");
}

bool parse(const QStringList& args, SimOptions& o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto next = [&](QString& into) {
            if (i + 1 >= args.size())
                return false;
            into = args.at(++i);
            return true;
        };
        if (a == QLatin1String("--family")) {
            if (!next(o.family) || (o.family != QLatin1String("553") && o.family != QLatin1String("560")))
                return false;
        } else if (a == QLatin1String("--gun")) {
            o.gun = true;
        } else if (a == QLatin1String("--colorful")) {
            o.colorful = true;
        } else if (a == QLatin1String("--is55328")) {
            o.is55328 = true;
        } else if (a == QLatin1String("--sensor")) {
            if (!next(o.sensor))
                return false;
        } else if (a == QLatin1String("--workdir")) {
            if (!next(o.workdir))
                return false;
        } else if (a == QLatin1String("--data")) {
            if (!next(o.data))
                return false;
        } else if (a == QLatin1String("--scene")) {
            if (!next(o.scene))
                return false;
        } else if (a == QLatin1String("--trace-startup")) {
            o.traceStartup = true;
        } else if (o.script.isEmpty() && (a == QLatin1String("-") || !a.startsWith(QLatin1String("--")))) {
            o.script = a;
        } else {
            return false;
        }
    }
    return !o.script.isEmpty();
}
} // namespace

int main(int argc, char** argv)
{
    // The scene, where it exists, runs without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SimOptions options;
    if (!parse(app.arguments(), options)) {
        usage();
        return 2;
    }
    QFile file;
    if (options.script == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly | QIODevice::Text))
            return 2;
    } else {
        file.setFileName(options.script);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(options.script));
            return 2;
        }
    }
    // A scene given relative to the script (golden traces pin their own).
    if (!options.scene.isEmpty() && QFileInfo(options.scene).isRelative()) {
        const QString base = options.script == QLatin1String("-") ? QDir::currentPath()
                                                                  : QFileInfo(options.script).absolutePath();
        options.scene = QDir(base).absoluteFilePath(options.scene);
    }
    if (!options.data.isEmpty())
        options.data = QFileInfo(options.data).absoluteFilePath();
    SimOutput::installMessageHandler();
    SimSession session(options);
    if (!session.start())
        return 3;
    QTextStream script(&file);
    const bool ok = session.run(script);
    session.finish();
    return ok ? 0 : 1;
}

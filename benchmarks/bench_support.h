#pragma once
// Helpers the benchmarks that run the real program share.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

namespace bench {

// Runs the event loop for ms milliseconds of real time.
inline void spin(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Makes a copy of the data tree next to the build's executables inside dir
// the working directory, as the program's own folder would be.
inline void enterDataCopy(const QTemporaryDir& dir)
{
    QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"),
                                             QCoreApplication::applicationDirPath() + QStringLiteral("/../modules"),
                                             dir.path()});
    QDir::setCurrent(dir.path());
}

} // namespace bench

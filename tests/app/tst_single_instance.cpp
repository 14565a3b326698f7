// The program as a process: one instance per executable and user, the
// working directory, stale sockets and simultaneous starts. Each test runs
// its own copy of the executable, so its identity is its own.
#include "app/qt_single_core_application.h"
#include <QDir>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
constexpr int StartupTimeoutMs = 60000;

// A copy of halcyon with the shipped data tree beside it.
struct Installation {
    QTemporaryDir dir;
    QString exe;

    bool make()
    {
        if (!dir.isValid())
            return false;
        exe = dir.path() + QStringLiteral("/halcyon");
        if (!QFile::copy(QStringLiteral(HALCYON_BINARY_DIR "/halcyon"), exe))
            return false;
        const QString from = QStringLiteral(HALCYON_SOURCE_DIR "/data/modules");
        return QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), from, dir.path()}) == 0;
    }
    QString id() const { return QtSingleCoreApplication::instanceId(exe, QtSingleCoreApplication::currentUser()); }
    // Where the instance listens: the user's own instance folder.
    QString socket() const
    {
        QString problem;
        return QtSingleCoreApplication::socketPathFor(id(), &problem);
    }
    // A terminated instance leaves its socket behind.
    ~Installation()
    {
        QLocalServer::removeServer(socket());
        QFile::remove(socket() + QStringLiteral(".lock"));
    }
};

// Starts the program from the root directory, not from its own.
void start(QProcess& p, const QString& exe)
{
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(QStringLiteral("/"));
    p.start(exe, {});
}

// Waits until the program has run its first detection.
bool waitStarted(QProcess& p, QByteArray& output)
{
    QDeadlineTimer deadline(StartupTimeoutMs);
    while (!output.contains("Device DisConnect") && !output.contains("Device Connect")) {
        if (deadline.hasExpired() || p.state() == QProcess::NotRunning)
            return false;
        p.waitForReadyRead(200);
        output += p.readAll();
    }
    return true;
}

void stop(QProcess& p)
{
    p.terminate();
    if (!p.waitForFinished(10000))
        p.kill();
    p.waitForFinished(10000);
}
} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceExitsAndFirstHearsIt()
    {
        Installation inst;
        QVERIFY(inst.make());
        QProcess first;
        start(first, inst.exe);
        QByteArray out;
        QVERIFY2(waitStarted(first, out), out.constData());
        // Started from "/", it works in its own directory.
        QVERIFY2(out.contains("Working directory " + QDir(inst.dir.path()).canonicalPath().toUtf8()),
                 out.constData());

        QProcess second;
        start(second, inst.exe);
        QVERIFY(second.waitForFinished(StartupTimeoutMs));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(!second.readAll().contains("Ui_Controler"));  // no window in the second one

        QTRY_VERIFY_WITH_TIMEOUT((out += first.readAll()).contains("receiveMessage"), 10000);
        QCOMPARE(first.state(), QProcess::Running);

        // Asked to stop by the session, it tears down normally and frees
        // its instance socket.
        first.terminate();
        QVERIFY(first.waitForFinished(StartupTimeoutMs));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(!QFile::exists(inst.socket()));
    }

    void staleSocketDoesNotBlock()
    {
        Installation inst;
        QVERIFY(inst.make());
        // A socket file nobody listens on and a lock file, as a crash
        // leaves them.
        const QString path = inst.socket();
        QVERIFY2(!path.isEmpty() && path.startsWith(QLatin1Char('/')), qPrintable(path));
        QFile::remove(path);
        QFile lock(path + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("12345\nhalcyon\n");
        lock.close();
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un addr = {};
        addr.sun_family = AF_UNIX;
        qstrncpy(addr.sun_path, QFile::encodeName(path).constData(), sizeof(addr.sun_path));
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
        ::close(fd);
        QVERIFY(QFile::exists(path));

        QProcess p;
        start(p, inst.exe);
        QByteArray out;
        QVERIFY2(waitStarted(p, out), out.constData());
        stop(p);
    }

    void simultaneousStartsLeaveOne()
    {
        Installation inst;
        QVERIFY(inst.make());
        QProcess a, b;
        start(a, inst.exe);
        start(b, inst.exe);
        // Exactly one of them leaves with 1; the other keeps running.
        QDeadlineTimer deadline(StartupTimeoutMs);
        while (a.state() != QProcess::NotRunning && b.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(50);
        QProcess& left = a.state() == QProcess::NotRunning ? a : b;
        QProcess& stayed = &left == &a ? b : a;
        QCOMPARE(left.state(), QProcess::NotRunning);
        QCOMPARE(left.exitCode(), 1);
        QByteArray out = stayed.readAll();
        QVERIFY2(waitStarted(stayed, out), out.constData());
        QCOMPARE(stayed.state(), QProcess::Running);
        stop(stayed);
    }

    void identityDependsOnPathAndUser()
    {
        const QString a = QtSingleCoreApplication::instanceId(QStringLiteral("/opt/a/halcyon"), QStringLiteral("1000"));
        QCOMPARE(a, QtSingleCoreApplication::instanceId(QStringLiteral("/opt/a/halcyon"), QStringLiteral("1000")));
        QVERIFY(a != QtSingleCoreApplication::instanceId(QStringLiteral("/opt/b/halcyon"), QStringLiteral("1000")));
        QVERIFY(a != QtSingleCoreApplication::instanceId(QStringLiteral("/opt/a/halcyon"), QStringLiteral("1001")));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"

// halcyonctl's side of the instance channel: the command line it accepts,
// the request and reply frames, and a server that refuses malformed or
// oversized requests without harm and keeps answering afterwards.
#include "app/ctl/ctl_arguments.h"
#include "app/ctl/ctl_protocol.h"
#include "app/ctl/ctl_service.h"
#include "app/instance_channel.h"
#include <QLocalServer>
#include <QLocalSocket>
#include <QtConcurrent>
#include <QtEndian>
#include <QtTest>

namespace {
QByteArray header(char kind, quint32 length)
{
    QByteArray out(5, '\0');
    out[0] = kind;
    qToBigEndian<quint32>(length, out.data() + 1);
    return out;
}

// What a raw sender gets back: the bytes received until the server closed
// the connection (or two seconds passed), and whether it closed it.
struct RawResult {
    QByteArray received;
    bool closedByServer = false;
};

RawResult sendRaw(const QString& name, const QByteArray& bytes, bool leaveAtOnce = false)
{
    RawResult r;
    QLocalSocket s;
    s.connectToServer(name);
    if (!s.waitForConnected(2000))
        return r;
    s.write(bytes);
    s.waitForBytesWritten(2000);
    if (leaveAtOnce) {
        s.abort();
        return r;
    }
    QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired()) {
        if (s.state() != QLocalSocket::ConnectedState) {
            r.closedByServer = true;
            break;
        }
        s.waitForReadyRead(50);
        r.received += s.readAll();
    }
    r.received += s.readAll();
    return r;
}

template <typename T>
T await(QFuture<T> f)
{
    // The server lives on this thread: keep its event loop turning.
    while (!f.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return f.result();
}
} // namespace

class TestCtlChannel : public QObject {
    Q_OBJECT
    InstanceServer* m_server = nullptr;
    QString m_name;
    int m_carriedOut = 0;

private slots:
    void init()
    {
        m_name = QStringLiteral("halcyon-test-ctl-%1").arg(QCoreApplication::applicationPid());
        m_server = new InstanceServer(this);
        QVERIFY(m_server->listen(m_name));
        m_carriedOut = 0;
        m_server->setRequestHandler([this](const QByteArray& payload) {
            return ctlAnswer(payload, [this](const QStringList& args) {
                ++m_carriedOut;
                // A request waits for the mouse in nested event loops.
                QEventLoop loop;
                QTimer::singleShot(100, &loop, &QEventLoop::quit);
                loop.exec();
                return CtlReply{0, args.join(QLatin1Char(' ')), QString()};
            });
        });
    }
    void cleanup()
    {
        delete m_server;
        m_server = nullptr;
        QLocalServer::removeServer(m_name);
    }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("error");
        auto row = [](const char* name, QStringList a, bool ok, int kind, int n, const char* error) {
            QTest::newRow(name) << a << ok << kind << n << QString::fromLatin1(error);
        };
        row("status", {"status"}, true, CtlCommand::Status, 0, "");
        row("status json", {"status", "--json"}, true, CtlCommand::Status, 0, "");
        row("twice json", {"status", "--json", "--json"}, false, 0, 0, "unknown option --json");
        row("switch 10", {"profile", "switch", "10"}, true, CtlCommand::ProfileSwitch, 10, "");
        row("switch 11", {"profile", "switch", "11"}, false, 0, 0, "profile must be a number from 1 to 10");
        row("switch 0", {"profile", "switch", "0"}, false, 0, 0, "profile must be a number from 1 to 10");
        row("switch -1", {"profile", "switch", "-1"}, false, 0, 0, "profile must be a number from 1 to 10");
        row("switch +2", {"profile", "switch", "+2"}, false, 0, 0, "profile must be a number from 1 to 10");
        row("switch word", {"profile", "switch", "two"}, false, 0, 0, "profile must be a number from 1 to 10");
        row("switch nothing", {"profile", "switch"}, false, 0, 0, "missing argument");
        row("switch two", {"profile", "switch", "1", "2"}, false, 0, 0, "too many arguments");
        row("import", {"profile", "import", "a.pf", "3"}, true, CtlCommand::ProfileImport, 3, "");
        row("import swapped", {"profile", "import", "3", "a.pf"}, false, 0, 0, "profile must be a number from 1 to 10");
        row("stage 8", {"dpi", "stage", "8"}, true, CtlCommand::DpiStage, 8, "");
        row("stage 0", {"dpi", "stage", "0"}, false, 0, 0, "stage must be a number from 1 to the stage count");
        row("stage 9", {"dpi", "stage", "9"}, false, 0, 0, "stage must be a number from 1 to the stage count");
        row("unknown", {"reboot"}, false, 0, 0, "unknown command");
        row("unknown action", {"profile", "delete"}, false, 0, 0, "unknown profile command");
        row("group alone", {"macro"}, false, 0, 0, "macro needs a command");
        row("nothing", {}, false, 0, 0, "no command given");
        row("help", {"--help"}, true, CtlCommand::Help, 0, "");
        row("command help", {"profile", "switch", "--help"}, true, CtlCommand::Help, 0, "");
        row("empty file", {"macro", "import", ""}, false, 0, 0, "empty file name");
    }
    void arguments()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        const CtlParse p = CtlArguments::parse(args);
        QCOMPARE(p.ok, ok);
        if (ok) {
            QTEST(int(p.command.kind), "kind");
            QTEST(p.command.number, "number");
        } else {
            QTEST(p.error, "error");
            QVERIFY(p.usage.startsWith(QLatin1String("Usage: halcyonctl")));
        }
    }

    // FILE arguments are made absolute; a number equal to the file name stays.
    void filesBecomeAbsolute()
    {
        const QStringList args{"profile", "import", "2", "2"};
        const CtlParse p = CtlArguments::parse({"profile", "import", "2", "2"});
        QVERIFY(p.ok);
        QCOMPARE(CtlArguments::withAbsoluteFiles(p, args, QStringLiteral("/home/u")),
                 QStringList({"profile", "import", "/home/u/2", "2"}));
    }

    // FILE arguments as a shell command would open them, from a folder with
    // a link "in" to "real/sub": the ".." after a link is the target's
    // parent; "-" and /dev/stdout are standard output for exports only.
    void filesResolvedAsTheShellDoes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");  // BASE is the folder, REAL its real path
        QTest::newRow("plain") << QStringList{"profile", "export", "1", "x.pf"} << "BASE/x.pf";
        QTest::newRow("dots without links") << QStringList{"profile", "export", "1", "./a//x.pf"} << "BASE/a/x.pf";
        QTest::newRow("dotdot after a link") << QStringList{"profile", "export", "1", "in/../x.pf"} << "REAL/real/x.pf";
        QTest::newRow("dotdot at the end") << QStringList{"profile", "import", "in/..", "2"} << "REAL/real";
        QTest::newRow("missing folder") << QStringList{"profile", "export", "1", "no/../x.pf"} << "BASE/no/../x.pf";
        QTest::newRow("dash") << QStringList{"macro", "export", "M", "-"} << "-";
        QTest::newRow("/dev/stdout") << QStringList{"profile", "export", "1", "/dev/stdout"} << "-";
        QTest::newRow("/dev/stdout as import") << QStringList{"profile", "import", "/dev/stdout", "2"} << "";
        QTest::newRow("this process's cwd") << QStringList{"profile", "export", "1", "/proc/self/cwd/y.pf"} << "CWD/y.pf";
    }
    void filesResolvedAsTheShellDoes()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("real/sub")));
        QVERIFY(QFile::link(QStringLiteral("real/sub"), dir.filePath(QStringLiteral("in"))));
        const CtlParse p = CtlArguments::parse(args);
        QVERIFY(p.ok);
        const QString got = CtlArguments::withAbsoluteFiles(p, args, dir.path()).at(p.command.fileArg);
        if (expected.isEmpty()) {  // never standard output, and this process's own
            QVERIFY2(got != QLatin1String("-") && !got.contains(QLatin1String("self")), qPrintable(got));
            return;
        }
        expected.replace(QLatin1String("BASE"), dir.path())
            .replace(QLatin1String("REAL"), QDir(dir.path()).canonicalPath())
            .replace(QLatin1String("CWD"), QDir::current().canonicalPath());
        QCOMPARE(got, expected);
    }

    void replyRoundTrip()
    {
        const CtlReply sent{1, QStringLiteral("a\nb"), QStringLiteral("halcyonctl: ü\n")};
        CtlReply got;
        QVERIFY(CtlProtocol::decodeReply(CtlProtocol::encodeReply(sent), &got));
        QCOMPARE(got.code, 1);
        QCOMPARE(got.out, sent.out);
        QCOMPARE(got.err, sent.err);
        QVERIFY(!CtlProtocol::decodeReply("{\"version\":1,\"code\":7}", &got));
        QVERIFY(!CtlProtocol::decodeReply("[]", &got));
    }

    // Request payloads the server answers without carrying anything out.
    void refusedPayloads_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("err");
        QTest::newRow("not json") << QByteArray("status") << "halcyonctl: malformed request\n";
        QTest::newRow("array") << QByteArray("[\"status\"]") << "halcyonctl: malformed request\n";
        QTest::newRow("no version") << QByteArray("{\"args\":[\"status\"]}") << "halcyonctl: unsupported request version\n";
        QTest::newRow("version 2") << QByteArray("{\"version\":2,\"args\":[\"status\"]}")
                                   << "halcyonctl: unsupported request version\n";
        QTest::newRow("number arg") << QByteArray("{\"version\":1,\"args\":[\"dpi\",\"stage\",3]}")
                                    << "halcyonctl: malformed request\n";
        QTest::newRow("no args") << QByteArray("{\"version\":1}") << "halcyonctl: malformed request\n";
    }
    void refusedPayloads()
    {
        QFETCH(QByteArray, payload);
        const RawResult r = await(QtConcurrent::run(sendRaw, m_name, InstanceChannel::frame('Q', payload), false));
        QVERIFY(r.received.size() > 5);
        QCOMPARE(r.received.at(0), 'R');
        CtlReply reply;
        QVERIFY(CtlProtocol::decodeReply(r.received.mid(5), &reply));
        QCOMPARE(reply.code, 1);
        QTEST(reply.err, "err");
        QCOMPARE(m_carriedOut, 0);
    }

    // Frames the server drops by closing the connection, unread.
    void droppedFrames_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("unknown kind") << header('X', 3) + "abc";
        QTest::newRow("oversized request") << header('Q', InstanceChannel::MaxRequestPayload + 1);
        QTest::newRow("huge length") << header('Q', 0xFFFFFFFFu) + QByteArray(1000, 'x');
        QTest::newRow("reply kind") << header('R', 2) + "{}";
    }
    void droppedFrames()
    {
        QFETCH(QByteArray, bytes);
        const RawResult r = await(QtConcurrent::run(sendRaw, m_name, bytes, false));
        QVERIFY(r.closedByServer);
        QCOMPARE(r.received, QByteArray());
        QCOMPARE(m_carriedOut, 0);
        // The server keeps answering.
        QByteArray reply;
        const auto result = await(QtConcurrent::run([this, &reply] {
            return InstanceChannel::request(m_name, CtlProtocol::encodeRequest({"status"}), 5000, &reply,
                                            CtlProtocol::MaxReplyBytes);
        }));
        QCOMPARE(result, InstanceChannel::RequestResult::Answered);
        QCOMPARE(m_carriedOut, 1);
    }

    // A sender that leaves mid-frame or while its request is carried out
    // does no harm; the next request is answered.
    void senderLeaves_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("carriedOut");
        QTest::newRow("half a frame") << header('Q', 100) + "{\"version\"" << 0;
        QTest::newRow("before the reply")
            << InstanceChannel::frame('Q', CtlProtocol::encodeRequest({"profile", "switch", "2"})) << 1;
    }
    void senderLeaves()
    {
        QFETCH(QByteArray, bytes);
        await(QtConcurrent::run(sendRaw, m_name, bytes, true));
        QTest::qWait(300);
        QTEST(m_carriedOut, "carriedOut");
        QByteArray reply;
        const auto result = await(QtConcurrent::run([this, &reply] {
            return InstanceChannel::request(m_name, CtlProtocol::encodeRequest({"dpi", "show"}), 5000, &reply,
                                            CtlProtocol::MaxReplyBytes);
        }));
        QCOMPARE(result, InstanceChannel::RequestResult::Answered);
        CtlReply r;
        QVERIFY(CtlProtocol::decodeReply(reply, &r));
        QCOMPARE(r.out, QStringLiteral("dpi show"));
    }

    void waitsForTheTransfer()
    {
        // While the gate is closed (a device transfer runs) the request is
        // held back, neither refused nor carried out; it runs once it opens.
        bool transferRunning = true;
        m_server->setRequestGate([&transferRunning] { return !transferRunning; });
        QTimer::singleShot(400, this, [&transferRunning, this] {
            QCOMPARE(m_carriedOut, 0);
            transferRunning = false;
        });
        QByteArray reply;
        const auto result = await(QtConcurrent::run([this, &reply] {
            return InstanceChannel::request(m_name, CtlProtocol::encodeRequest({"dpi", "stage", "2"}), 5000,
                                            &reply, CtlProtocol::MaxReplyBytes);
        }));
        QCOMPARE(result, InstanceChannel::RequestResult::Answered);
        QCOMPARE(m_carriedOut, 1);
        QVERIFY(!transferRunning);
        CtlReply r;
        QVERIFY(CtlProtocol::decodeReply(reply, &r));
        QCOMPARE(r.out, QStringLiteral("dpi stage 2"));
    }

    void nobodyListening()
    {
        QByteArray reply;
        QCOMPARE(InstanceChannel::request(QStringLiteral("halcyon-test-ctl-nobody"), "{}", 1000, &reply, 100),
                 InstanceChannel::RequestResult::NotRunning);
    }
};

QTEST_MAIN(TestCtlChannel)
#include "tst_ctl_channel.moc"

// Warning requests from other processes: the validation, and on Linux the
// request arriving on the single-instance socket and showing the box.
#include "app/copy_data.h"
#include "app/instance_channel.h"
#include "app/user_dialogs.h"
#include "app/widget.h"
#include <QDir>
#include <QLocalSocket>
#include <QtTest>

namespace {
class RecordingDialogs : public UserDialogs {
public:
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    void warning(QWidget* parent, const QString& title, const QString& text) override
    {
        parents << parent;
        warnings << title + QLatin1Char('|') + text;
    }
    QList<QWidget*> parents;
    QStringList warnings;
};

// A warning box during which the sender gives up: the box's event loop sees
// the disconnection and runs the deferred deletions posted meanwhile.
class SenderLeavesDialogs : public RecordingDialogs {
public:
    void warning(QWidget* parent, const QString& title, const QString& text) override
    {
        RecordingDialogs::warning(parent, title, text);
        QLocalSocket* peer = server->findChild<QLocalSocket*>();
        QVERIFY(peer);
        QEventLoop box;
        QObject::connect(peer, &QLocalSocket::disconnected, &box, &QEventLoop::quit);
        QTimer::singleShot(10000, &box, &QEventLoop::quit);
        sender->abort();
        if (peer->state() == QLocalSocket::ConnectedState)
            box.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(peer->state(), QLocalSocket::UnconnectedState);
    }
    QObject* server = nullptr;
    QLocalSocket* sender = nullptr;
};
} // namespace

class TestCopyData : public QObject {
    Q_OBJECT
private slots:
    void validation_data()
    {
        QTest::addColumn<quint64>("dwData");
        QTest::addColumn<uint>("cbData");
        QTest::addColumn<QByteArray>("bytes");  // lpData as sent, NUL included
        QTest::addColumn<QString>("shown");     // empty: nothing shown
        QTest::newRow("five-letter word, cbData 5") << quint64(9487) << 5u << QByteArray("hello", 6) << "hello";
        QTest::newRow("cbData 6 counts the NUL") << quint64(9487) << 6u << QByteArray("hello", 6) << "";
        QTest::newRow("another dwData") << quint64(9488) << 5u << QByteArray("hello", 6) << "";
        QTest::newRow("dwData 0") << quint64(0) << 5u << QByteArray("hello", 6) << "";
        QTest::newRow("UTF-8 text") << quint64(9487) << 6u << QByteArray("gr\xC3\xBC\xC3\x9F", 7)
                                    << QStringLiteral("gr\u00FC\u00DF");
        QTest::newRow("cbData shorter than the text") << quint64(9487) << 3u << QByteArray("hello", 6) << "hel";
        QTest::newRow("embedded NUL") << quint64(9487) << 5u << QByteArray("he\0lo", 6) << "";
        QTest::newRow("invalid byte") << quint64(9487) << 5u << QByteArray("he\xFFlo", 6) << "";
        QTest::newRow("overlong sequence of the same length")
            << quint64(9487) << 3u << QByteArray("\xE0\x80\x80", 4) << "";
        QTest::newRow("cut multi-byte sequence") << quint64(9487) << 3u << QByteArray("gr\xC3\xBC", 5) << "";
        QTest::newRow("cbData beyond the data") << quint64(9487) << 50u << QByteArray("hello") << "";
        QTest::newRow("empty text") << quint64(9487) << 0u << QByteArray("", 1) << "";
    }
    void validation()
    {
        QFETCH(quint64, dwData);
        QFETCH(uint, cbData);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const std::optional<QString> text = warningTextFromCopyData(dwData, cbData, bytes.constData(),
                                                                    size_t(bytes.size()));
        if (shown.isEmpty() && !(cbData == 0 && dwData == 9487))
            QVERIFY(!text.has_value());
        else
            QCOMPARE(text.value_or(QStringLiteral("<none>")), shown);
    }

    // The request arrives framed on the single-instance socket and shows the
    // box captioned with the window title; invalid ones show nothing. All
    // are answered with 1.
    void requestOnTheSocketShowsTheBox()
    {
        // A copy of the shipped data tree, never the build folder's working one.
        QTemporaryDir work;
        QCOMPARE(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(HALCYON_SOURCE_DIR "/data/modules"), work.path()}), 0);
        QVERIFY(QDir::setCurrent(work.path()));
        RecordingDialogs dialogs;
        UserDialogs::install(&dialogs);
        Widget widget;
        widget.setWindowTitle(QStringLiteral("Caption"));
        registerCopyDataCallback(&Widget::copyDataCallback, &widget);

        InstanceServer server;
        const QString name = QStringLiteral("halcyon-test-copydata-%1").arg(QCoreApplication::applicationPid());
        QVERIFY(server.listen(name));
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(5000));
        using namespace InstanceChannel;
        socket.write(frame(KindCopyData, copyDataPayload(9487, 5, QByteArray("hello", 6))));
        socket.write(frame(KindCopyData, copyDataPayload(9487, 6, QByteArray("hello", 6))));
        socket.write(frame(KindCopyData, copyDataPayload(1234, 5, QByteArray("hello", 6))));
        QTRY_COMPARE_WITH_TIMEOUT(socket.bytesAvailable(), qint64(3), 10000);
        QCOMPARE(socket.readAll(), QByteArray("\x01\x01\x01", 3));
        QCOMPARE(dialogs.warnings, QStringList{QStringLiteral("Caption|hello")});
        QCOMPARE(dialogs.parents, QList<QWidget*>{nullptr});

        // Without a handler the request is not taken.
        registerCopyDataCallback(nullptr, nullptr);
        socket.write(frame(KindCopyData, copyDataPayload(9487, 5, QByteArray("hello", 6))));
        QTRY_COMPARE_WITH_TIMEOUT(socket.bytesAvailable(), qint64(1), 10000);
        QCOMPARE(socket.readAll(), QByteArray("\x00", 1));
        UserDialogs::install(nullptr);
    }

    // The sender disconnects while its warning box is open: the box closes
    // normally, nothing is answered, and the channel keeps serving others.
    void senderLeavesWhileTheBoxIsOpen()
    {
        QVERIFY(QDir::setCurrent(QStringLiteral(HALCYON_BINARY_DIR)));
        SenderLeavesDialogs dialogs;
        UserDialogs::install(&dialogs);
        Widget widget;
        widget.setWindowTitle(QStringLiteral("Caption"));
        registerCopyDataCallback(&Widget::copyDataCallback, &widget);
        InstanceServer server;
        const QString name = QStringLiteral("halcyon-test-leaving-%1").arg(QCoreApplication::applicationPid());
        QVERIFY(server.listen(name));
        QLocalSocket sender;
        dialogs.server = &server;
        dialogs.sender = &sender;
        sender.connectToServer(name);
        QVERIFY(sender.waitForConnected(5000));
        using namespace InstanceChannel;
        // A second request queued behind the first is dropped with it.
        sender.write(frame(KindCopyData, copyDataPayload(9487, 5, QByteArray("first", 6))));
        sender.write(frame(KindCopyData, copyDataPayload(9487, 6, QByteArray("second", 7))));
        sender.flush();
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.warnings.size(), 1, 10000);
        QCOMPARE(dialogs.warnings.first(), QStringLiteral("Caption|first"));
        QTRY_VERIFY_WITH_TIMEOUT(!server.findChild<QLocalSocket*>(), 10000);

        QSignalSpy messages(&server, &InstanceServer::messageReceived);
        QLocalSocket next;
        next.connectToServer(name);
        QVERIFY(next.waitForConnected(5000));
        next.write(frame(KindMessage, QByteArray()));
        QTRY_COMPARE_WITH_TIMEOUT(next.bytesAvailable(), qint64(1), 10000);
        QCOMPARE(next.readAll(), QByteArray("\x01", 1));
        QCOMPARE(messages.size(), 1);
        registerCopyDataCallback(nullptr, nullptr);
        UserDialogs::install(nullptr);
    }

    // A frame announcing more than the limit closes the connection unread.
    void oversizedFrameIsRefused()
    {
        InstanceServer server;
        const QString name = QStringLiteral("halcyon-test-oversize-%1").arg(QCoreApplication::applicationPid());
        QVERIFY(server.listen(name));
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(5000));
        QByteArray header("M\x7F\xFF\xFF\xFF", 5);
        socket.write(header);
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 10000);
    }
};

QTEST_MAIN(TestCopyData)
#include "tst_copy_data.moc"

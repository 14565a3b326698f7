#include "app/instance_channel.h"
#include "app/copy_data.h"
#include "app/instance_folder.h"
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QtEndian>

namespace {
// Set on a socket while one of its frames is being handled. Handling a
// warning request runs the box's event loop, in which the sender may
// disconnect and more of its data may arrive: the socket must then neither
// be deleted nor be read by a second, nested call.
constexpr char kHandlingProperty[] = "halcyonHandlingFrame";
// How often a request that waits for a device transfer is tried again.
constexpr int RequestRetryMs = 20;

bool isHandling(const QLocalSocket* socket)
{
    return socket->property(kHandlingProperty).toBool();
}

// Deletes a socket whose peer has gone, unless a frame of it is still being
// handled further up the stack; that call deletes it when it returns.
void releaseWhenIdle(QLocalSocket* socket)
{
    if (!isHandling(socket))
        socket->deleteLater();
}

void answer(QLocalSocket* socket, char value)
{
    if (socket->state() != QLocalSocket::ConnectedState)
        return;
    socket->putChar(value);
    socket->flush();
}
} // namespace

namespace InstanceChannel {

QByteArray frame(char kind, const QByteArray& payload)
{
    QByteArray out(5, '\0');
    out[0] = kind;
    qToBigEndian<quint32>(quint32(payload.size()), out.data() + 1);
    return out + payload;
}

QByteArray copyDataPayload(quint64 dwData, quint32 cbData, const QByteArray& bytes)
{
    QByteArray out(12, '\0');
    qToBigEndian<quint64>(dwData, out.data());
    qToBigEndian<quint32>(cbData, out.data() + 8);
    return out + bytes;
}

int send(const QString& serverName, const QByteArray& data, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return -1;
    if (!InstanceFolder::peerIsSameUser(socket.socketDescriptor()))
        return ImpostorAnswer;
    socket.write(data);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return -1;
    while (socket.bytesAvailable() < 1)
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return -1;
    char answer = 0;
    socket.getChar(&answer);
    return answer;
}

Listener probe(const QString& serverName, int timeoutMs, qint64* peerUid)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs))
        return Listener::Nobody;
    const qint64 uid = InstanceFolder::peerUid(socket.socketDescriptor());
    if (peerUid)
        *peerUid = uid;
    const bool ours = InstanceFolder::peerIsSameUser(socket.socketDescriptor());
    socket.abort();
    return ours ? Listener::Ours : Listener::Impostor;
}

RequestResult request(const QString& serverName, const QByteArray& payload, int replyTimeoutMs,
                      QByteArray* reply, int maxReplyBytes, qint64* peerUid)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(2000))
        return RequestResult::NotRunning;
    // The request holds the user's file names and gets an answer the user
    // trusts: it goes to no other user's process.
    if (!InstanceFolder::peerIsSameUser(socket.socketDescriptor())) {
        if (peerUid)
            *peerUid = InstanceFolder::peerUid(socket.socketDescriptor());
        return RequestResult::Impostor;
    }
    QDeadlineTimer deadline(replyTimeoutMs);
    socket.write(frame(KindRequest, payload));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return RequestResult::NoAnswer;
    QByteArray in;
    for (;;) {
        if (in.size() >= 5) {
            const quint32 length = qFromBigEndian<quint32>(in.constData() + 1);
            if (in.at(0) != KindReply || length > quint32(maxReplyBytes))
                return RequestResult::NoAnswer;
            if (quint32(in.size()) >= 5 + length) {
                *reply = in.mid(5, int(length));
                return RequestResult::Answered;
            }
        }
        if (socket.bytesAvailable() > 0) {
            in += socket.readAll();
            continue;
        }
        if (deadline.hasExpired() || socket.state() != QLocalSocket::ConnectedState
            || !socket.waitForReadyRead(int(deadline.remainingTime()))) {
            in += socket.readAll();
            if (in.size() >= 5 && quint32(in.size()) >= 5 + qFromBigEndian<quint32>(in.constData() + 1))
                continue;
            return RequestResult::NoAnswer;
        }
    }
}

} // namespace InstanceChannel

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            if (!InstanceFolder::peerIsSameUser(socket->socketDescriptor())) {
                qWarning("instance channel: refused a connection of uid %lld",
                         static_cast<long long>(InstanceFolder::peerUid(socket->socketDescriptor())));
                socket->abort();
                socket->deleteLater();
                continue;
            }
            connect(socket, &QLocalSocket::disconnected, socket, [socket] { releaseWhenIdle(socket); });
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrames(socket); });
            readFrames(socket);
        }
    });
}

bool InstanceServer::listen(const QString& name)
{
    if (m_server->listen(name))
        return true;
    // A socket file left behind by a process that died; nobody answers on it.
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name);
        return m_server->listen(name);
    }
    return false;
}

QString InstanceServer::errorString() const
{
    return m_server->errorString();
}

void InstanceServer::readFrames(QLocalSocket* socket)
{
    if (isHandling(socket))
        return;  // the call further up the stack reads on after its frame
    QPointer<QLocalSocket> guard(socket);
    socket->setProperty(kHandlingProperty, true);
    readAvailableFrames(socket);
    if (!guard)
        return;  // the server went away while a box was open
    socket->setProperty(kHandlingProperty, false);
    // A sender that disconnected meanwhile (a warning box's sender giving
    // up) is released here, once nothing uses its socket any more.
    if (socket->state() != QLocalSocket::ConnectedState)
        socket->deleteLater();
}

void InstanceServer::readAvailableFrames(QLocalSocket* socket)
{
    using namespace InstanceChannel;
    QPointer<QLocalSocket> guard(socket);
    while (socket->bytesAvailable() >= 5) {
        char header[5];
        socket->peek(header, 5);
        const quint32 length = qFromBigEndian<quint32>(header + 1);
        const bool known = header[0] == KindMessage || header[0] == KindCopyData || header[0] == KindRequest;
        const quint32 limit = header[0] == KindRequest ? quint32(MaxRequestPayload) : quint32(MaxPayload);
        if (!known || length > limit) {
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < qint64(5 + length))
            return;
        socket->skip(5);
        const QByteArray payload = socket->read(length);
        if (header[0] == KindRequest) {
            answerRequest(socket, payload);
            return;
        }
        if (header[0] == KindMessage) {
            answer(socket, 1);
            emit messageReceived(QString::fromUtf8(payload));
            if (!guard)
                return;
            continue;
        }
        bool handled = false;
        if (payload.size() >= 12) {
            const quint64 dwData = qFromBigEndian<quint64>(payload.constData());
            const quint32 cbData = qFromBigEndian<quint32>(payload.constData() + 8);
            // The sender waits for the answer until the warning box is closed.
            handled = deliverCopyData(dwData, cbData, payload.constData() + 12, size_t(payload.size() - 12));
            if (!guard)
                return;
            // A sender that gave up while its box was open wants no more.
            if (socket->state() != QLocalSocket::ConnectedState)
                return;
        }
        answer(socket, handled ? 1 : 0);
    }
}

void InstanceServer::answerRequest(QLocalSocket* socket, const QByteArray& payload)
{
    // One request per connection: whatever else the sender writes is ignored.
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    // Carried out from the event loop, not inside this read: the request may
    // run nested event loops (device pacing), during which the sender can go
    // away and its socket be deleted.
    QPointer<QLocalSocket> guard(socket);
    QMetaObject::invokeMethod(this, [this, guard, payload] { carryOutRequest(guard, payload); },
                              Qt::QueuedConnection);
}

void InstanceServer::carryOutRequest(QPointer<QLocalSocket> guard, const QByteArray& payload)
{
    if (!guard || guard->state() != QLocalSocket::ConnectedState)
        return;
    // Not inside a running transfer: its commands would be refused by the
    // device token. Retried from the event loop until the transfer is over.
    if (m_requestGate && !m_requestGate()) {
        QTimer::singleShot(RequestRetryMs, this, [this, guard, payload] { carryOutRequest(guard, payload); });
        return;
    }
    const QByteArray reply = m_requestHandler ? m_requestHandler(payload) : QByteArray();
    if (!guard || guard->state() != QLocalSocket::ConnectedState)
        return;
    if (reply.isEmpty()) {
        guard->abort();
        return;
    }
    guard->write(InstanceChannel::frame(InstanceChannel::KindReply, reply));
    guard->flush();
    guard->disconnectFromServer();
}

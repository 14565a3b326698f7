#include "app/instance_channel.h"
#include "app/copy_data.h"
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

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

} // namespace InstanceChannel

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
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
    using namespace InstanceChannel;
    while (socket->bytesAvailable() >= 5) {
        char header[5];
        socket->peek(header, 5);
        const quint32 length = qFromBigEndian<quint32>(header + 1);
        if (length > quint32(MaxPayload) || (header[0] != KindMessage && header[0] != KindCopyData)) {
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < qint64(5 + length))
            return;
        socket->skip(5);
        const QByteArray payload = socket->read(length);
        if (header[0] == KindMessage) {
            socket->putChar(1);
            socket->flush();
            emit messageReceived(QString::fromUtf8(payload));
            continue;
        }
        bool handled = false;
        if (payload.size() >= 12) {
            const quint64 dwData = qFromBigEndian<quint64>(payload.constData());
            const quint32 cbData = qFromBigEndian<quint32>(payload.constData() + 8);
            // The sender waits for the answer until the warning box is closed.
            handled = deliverCopyData(dwData, cbData, payload.constData() + 12, size_t(payload.size() - 12));
        }
        socket->putChar(handled ? 1 : 0);
        socket->flush();
    }
}

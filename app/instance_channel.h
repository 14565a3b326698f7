#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// The local channel between instances of the program. Each message is one
// frame: a kind byte, the payload length (4 bytes, big-endian) and the
// payload. The receiver answers every frame with one byte.
namespace InstanceChannel {
constexpr char KindMessage = 'M';   // payload: the message text, UTF-8; answer 1
constexpr char KindCopyData = 'C';  // payload: dwData (8 bytes BE), cbData (4 bytes BE), the bytes;
                                    // answer 1 when handled, 0 when nobody handles it
constexpr int MaxPayload = 1 << 20;

QByteArray frame(char kind, const QByteArray& payload);
QByteArray copyDataPayload(quint64 dwData, quint32 cbData, const QByteArray& bytes);

// Connects, sends one frame and waits for the answer byte, all within
// timeoutMs. Returns the answer, or -1 when it did not arrive.
int send(const QString& serverName, const QByteArray& frame, int timeoutMs);
} // namespace InstanceChannel

// The receiving side: accepts connections and reads frames.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);
    // Listens under the name; removes a stale socket first. Only the same
    // user may connect.
    bool listen(const QString& name);
    QString errorString() const;

signals:
    void messageReceived(const QString& message);

private:
    void readFrames(QLocalSocket* socket);
    void readAvailableFrames(QLocalSocket* socket);

    QLocalServer* m_server;
};

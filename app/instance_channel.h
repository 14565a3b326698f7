#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

// The local channel between instances of the program. Each message is one
// frame: a kind byte, the payload length (4 bytes, big-endian) and the
// payload. The receiver answers every frame with one byte.
namespace InstanceChannel {
constexpr char KindMessage = 'M';   // payload: the message text, UTF-8; answer 1
constexpr char KindCopyData = 'C';  // payload: dwData (8 bytes BE), cbData (4 bytes BE), the bytes;
                                    // answer 1 when handled, 0 when nobody handles it
// A request of halcyonctl (payload: see app/ctl/ctl_protocol.h), answered
// not with a byte but with one reply frame, once it has been carried out.
constexpr char KindRequest = 'Q';
constexpr char KindReply = 'R';
constexpr int MaxPayload = 1 << 20;
constexpr int MaxRequestPayload = 64 * 1024;

QByteArray frame(char kind, const QByteArray& payload);
QByteArray copyDataPayload(quint64 dwData, quint32 cbData, const QByteArray& bytes);

// Connects, sends one frame and waits for the answer byte, all within
// timeoutMs. Returns the answer, or -1 when it did not arrive.
int send(const QString& serverName, const QByteArray& frame, int timeoutMs);

enum class RequestResult { NotRunning, NoAnswer, Answered };
// Sends a request frame and waits up to replyTimeoutMs for the reply frame,
// whose payload lands in `reply`. NotRunning when nobody listens there.
RequestResult request(const QString& serverName, const QByteArray& payload, int replyTimeoutMs,
                      QByteArray* reply, int maxReplyBytes);
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
    // Carries a request out (on the GUI thread, from the event loop) and
    // returns the reply payload. Without a handler requests are refused.
    void setRequestHandler(std::function<QByteArray(const QByteArray&)> handler)
    {
        m_requestHandler = std::move(handler);
    }

signals:
    void messageReceived(const QString& message);

private:
    void readFrames(QLocalSocket* socket);
    void readAvailableFrames(QLocalSocket* socket);

    void answerRequest(QLocalSocket* socket, const QByteArray& payload);

    QLocalServer* m_server;
    std::function<QByteArray(const QByteArray&)> m_requestHandler;
};

#pragma once
#include <QByteArray>
#include <QObject>
#include <QPointer>
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

// Returned by send() when the socket's listener runs as another user.
constexpr int ImpostorAnswer = -2;

// Connects, sends one frame and waits for the answer byte, all within
// timeoutMs. Returns the answer, -1 when it did not arrive, or
// ImpostorAnswer (nothing sent) when another user listens there.
int send(const QString& serverName, const QByteArray& frame, int timeoutMs);

// Who listens under the name: nobody (no socket, or one nobody accepts on),
// a process of this user, or another user's (its uid in `peerUid`).
enum class Listener { Nobody, Ours, Impostor };
Listener probe(const QString& serverName, int timeoutMs, qint64* peerUid = nullptr);

enum class RequestResult { NotRunning, NoAnswer, Answered, Impostor };
// Sends a request frame and waits up to replyTimeoutMs for the reply frame,
// whose payload lands in `reply`. NotRunning when nobody listens there;
// Impostor (nothing sent, the listener's uid in `peerUid`) when another
// user does.
RequestResult request(const QString& serverName, const QByteArray& payload, int replyTimeoutMs,
                      QByteArray* reply, int maxReplyBytes, qint64* peerUid = nullptr);
} // namespace InstanceChannel

// The receiving side: accepts connections and reads frames.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);
    // Listens under the name; removes a stale socket first. Only the same
    // user may connect: the socket is closed to others, and a connection
    // from another user's process is dropped unread.
    bool listen(const QString& name);
    QString errorString() const;
    // Carries a request out (on the GUI thread, from the event loop) and
    // returns the reply payload. Without a handler requests are refused.
    void setRequestHandler(std::function<QByteArray(const QByteArray&)> handler)
    {
        m_requestHandler = std::move(handler);
    }
    // Tells whether a request may be carried out now. While it says no (a
    // device transfer is running, whose pacing handles events), the request
    // waits and is tried again shortly, after the transfer has unwound.
    void setRequestGate(std::function<bool()> ready) { m_requestGate = std::move(ready); }

signals:
    void messageReceived(const QString& message);

private:
    void readFrames(QLocalSocket* socket);
    void readAvailableFrames(QLocalSocket* socket);

    void answerRequest(QLocalSocket* socket, const QByteArray& payload);
    void carryOutRequest(QPointer<QLocalSocket> socket, const QByteArray& payload);

    QLocalServer* m_server;
    std::function<QByteArray(const QByteArray&)> m_requestHandler;
    std::function<bool()> m_requestGate;
};

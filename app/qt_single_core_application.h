#pragma once
#include <QApplication>
#include <QString>

class InstanceServer;

// The application object, guarding that one instance runs per executable
// and user. The first instance listens on a local socket; later ones find
// it there, send it a message and leave.
class QtSingleCoreApplication : public QApplication {
    Q_OBJECT
public:
    QtSingleCoreApplication(int& argc, char** argv);
    ~QtSingleCoreApplication() override;

    // Whether another instance runs. The first call decides: when none runs,
    // this instance starts listening. Two simultaneous starts are serialised
    // by a lock file, so exactly one of them becomes the running instance.
    bool isRunning();
    // Sends the message to the running instance; false when it did not
    // take it within the timeout.
    bool sendMessage(const QString& message, int timeout = 5000);
    QString id() const { return m_id; }
    // The socket this instance listens on or looks for; empty while the
    // user's instance folder cannot be trusted (no single-instance check).
    QString socketPath() const;
    // The channel this instance listens on; null unless it is the running one.
    InstanceServer* server() const { return m_server; }

    // The identity of an executable run by a user.
    static QString instanceId(const QString& executablePath, const QString& user);
    static QString currentUser();
    // The socket of the instance with that id in this user's instance folder
    // (see InstanceFolder); empty, with the reason in `problem`, when that
    // folder cannot be trusted.
    static QString socketPathFor(const QString& id, QString* problem);

signals:
    void messageReceived(const QString& message);

private:
    QString m_id;
    QString m_socketPath;
    QString m_folderProblem;
    InstanceServer* m_server = nullptr;
    int m_running = -1;  // not yet decided
};

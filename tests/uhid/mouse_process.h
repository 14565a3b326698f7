#pragma once
#include <QProcess>
#include <QStringList>

// Drives halcyon-uhid-mouse (next to the test executable) over its standard
// input and output.
class MouseProcess {
public:
    ~MouseProcess();
    bool start();
    // Sends one command; the lines printed before "ok". Without an "ok" the
    // command failed and error() tells why.
    QStringList command(const QString& line, bool* ok = nullptr);
    QString error() const { return m_error; }
    // The requests the mouse received since the last call, one line each.
    QStringList log();
    // Only the lines of one kind ("set-report", "get-report", "output", "input").
    QStringList log(const QString& kind);

private:
    QProcess m_process;
    QString m_error;
};

// length bytes counting up from start, as test payloads.
QByteArray pattern(int length, int start);
// Upper-case hex bytes separated by blanks, as the traces print them.
QString hex(const QByteArray& bytes);

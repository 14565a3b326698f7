#pragma once
#include <QString>

// halcyon-sim's output: one event per line, in order, from any thread.
namespace SimOutput {
void line(const QString& text);
// While muted (an untraced start-up), lines are dropped.
void setMuted(bool muted);
bool isMuted();
// Routes qDebug lines to "log TEXT" and everything else to stderr.
void installMessageHandler();
QString hex(const QByteArray& bytes);
}

#pragma once
#include <QEvent>

// The event Widget posts to itself after asking the scene for "initUI":
// payload 2177 means run the scene's "run" now.
class UserEvent : public QEvent {
public:
    static constexpr int RunScene = 2177;
    explicit UserEvent(int payload) : QEvent(QEvent::User), m_payload(payload) {}
    int payload() const { return m_payload; }
private:
    int m_payload;
};

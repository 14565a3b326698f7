#include "settings/user_warnings.h"
#include <QDebug>

namespace {
UserWarnings::Handler& handler()
{
    static UserWarnings::Handler h;
    return h;
}
} // namespace

namespace UserWarnings {

void setHandler(Handler h)
{
    handler() = std::move(h);
}

void show(const QString& title, const QString& text)
{
    if (handler())
        handler()(title, text);
    else
        qDebug().noquote() << "warning:" << title << "-" << text;
}

} // namespace UserWarnings

#include "app/ctl/ctl_service.h"
#include "app/ctl/ctl_commands.h"
#include "app/ctl/ctl_protocol.h"
#include "app/instance_channel.h"
#include "app/widget.h"
#include <QPointer>
#include <memory>

void installCtlService(InstanceServer* server, Widget* widget)
{
    if (!server)
        return;
    if (!widget) {
        server->setRequestHandler(nullptr);
        return;
    }
    QPointer<Widget> target(widget);
    auto busy = std::make_shared<bool>(false);
    server->setRequestHandler([target, busy](const QByteArray& payload) {
        return ctlAnswer(payload, [&](const QStringList& args) -> CtlReply {
            if (!target)
                return {1, QString(), QStringLiteral("halcyonctl: Halcyon is quitting\n")};
            // A second request while the first one waits for the mouse.
            if (*busy)
                return {1, QString(), QStringLiteral("halcyonctl: Halcyon is busy with another request\n")};
            *busy = true;
            const CtlReply reply = CtlCommands::run(*target, args);
            *busy = false;
            return reply;
        });
    });
}

QByteArray ctlAnswer(const QByteArray& payload, const std::function<CtlReply(const QStringList&)>& carryOut)
{
    QStringList args;
    QString error;
    const CtlReply reply = CtlProtocol::decodeRequest(payload, &args, &error)
        ? carryOut(args)
        : CtlReply{1, QString(), QStringLiteral("halcyonctl: ") + error + QLatin1Char('\n')};
    return CtlProtocol::encodeReply(reply);
}

#pragma once
#include "app/ctl/ctl_protocol.h"
#include <functional>

class InstanceServer;
class Widget;

// Makes the running program answer halcyonctl: each request frame on the
// instance channel is carried out on the GUI thread through the same
// functions the window uses. A null widget stops answering.
void installCtlService(InstanceServer* server, Widget* widget);

// The reply payload to one request payload: a request that is not a version
// 1 request of string arguments is answered "not carried out" without
// reaching carryOut.
QByteArray ctlAnswer(const QByteArray& payload, const std::function<CtlReply(const QStringList&)>& carryOut);

#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// What halcyonctl and the running program say to each other inside the
// instance channel's request and reply frames (see the README): UTF-8 JSON
// objects that carry their format version.
struct CtlReply {
    int code = 0;  // the tool's exit status: 0 done, 1 not carried out, 2 usage error
    QString out;   // standard output
    QString err;   // standard error
};

namespace CtlProtocol {
constexpr int Version = 1;
// A request is a few arguments; anything larger is refused unread.
constexpr int MaxRequestBytes = 64 * 1024;
// A reply lists at most the macro library.
constexpr int MaxReplyBytes = 4 * 1024 * 1024;

// {"version":1,"args":["profile","switch","2"]}
QByteArray encodeRequest(const QStringList& args);
// False, with the reason, for anything but a version 1 request whose args
// are all strings.
bool decodeRequest(const QByteArray& payload, QStringList* args, QString* error);

// {"version":1,"code":0,"out":"...","err":""}
QByteArray encodeReply(const CtlReply& reply);
bool decodeReply(const QByteArray& payload, CtlReply* reply);
} // namespace CtlProtocol

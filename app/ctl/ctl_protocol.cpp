#include "app/ctl/ctl_protocol.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace CtlProtocol {

QByteArray encodeRequest(const QStringList& args)
{
    QJsonObject o;
    o.insert(QStringLiteral("version"), Version);
    o.insert(QStringLiteral("args"), QJsonArray::fromStringList(args));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

bool decodeRequest(const QByteArray& payload, QStringList* args, QString* error)
{
    if (payload.size() > MaxRequestBytes) {
        *error = QStringLiteral("request too large");
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(payload, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("malformed request");
        return false;
    }
    const QJsonObject o = doc.object();
    const QJsonValue version = o.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != Version) {
        *error = QStringLiteral("unsupported request version");
        return false;
    }
    const QJsonValue list = o.value(QStringLiteral("args"));
    if (!list.isArray()) {
        *error = QStringLiteral("malformed request");
        return false;
    }
    QStringList out;
    for (const QJsonValue& v : list.toArray()) {
        if (!v.isString()) {
            *error = QStringLiteral("malformed request");
            return false;
        }
        out << v.toString();
    }
    *args = out;
    return true;
}

QByteArray encodeReply(const CtlReply& reply)
{
    QJsonObject o;
    o.insert(QStringLiteral("version"), Version);
    o.insert(QStringLiteral("code"), reply.code);
    o.insert(QStringLiteral("out"), reply.out);
    o.insert(QStringLiteral("err"), reply.err);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

bool decodeReply(const QByteArray& payload, CtlReply* reply)
{
    const QJsonDocument doc = QJsonDocument::fromJson(payload);
    if (!doc.isObject())
        return false;
    const QJsonObject o = doc.object();
    if (o.value(QStringLiteral("version")).toInt() != Version || !o.value(QStringLiteral("code")).isDouble())
        return false;
    reply->code = o.value(QStringLiteral("code")).toInt();
    reply->out = o.value(QStringLiteral("out")).toString();
    reply->err = o.value(QStringLiteral("err")).toString();
    return reply->code >= 0 && reply->code <= 2;
}

} // namespace CtlProtocol

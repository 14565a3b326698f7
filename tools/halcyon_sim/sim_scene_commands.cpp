#include "sim_scene_commands.h"
#include "app/myqquickview.h"
#include "sim_output.h"
#include "sim_session.h"
#include <QJSValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickItem>

namespace {

QJsonValue toJson(const QVariant& v)
{
    QVariant plain = v.canConvert<QJSValue>() ? v.value<QJSValue>().toVariant() : v;
    if (plain.userType() == QMetaType::QColor)
        return plain.toString();
    return QJsonValue::fromVariant(plain);
}

} // namespace

void registerSceneCommands(SimSession& session)
{
    session.addSimCommand(QStringLiteral("scene"), [&session](const QJsonObject& line) {
        const QString expression = line.value(QStringLiteral("eval")).toString();
        SimOutput::line(QStringLiteral("scene ") + expression);
        myQQuickView* view = session.view();
        QQuickItem* root = view ? view->rootObject() : nullptr;
        QQmlContext* context = root ? QQmlEngine::contextForObject(root) : nullptr;
        if (!context) {
            SimOutput::line(QStringLiteral("error no scene"));
            return false;
        }
        QQmlExpression expr(context, root, expression);
        const QVariant value = expr.evaluate();
        if (expr.hasError()) {
            SimOutput::line(QStringLiteral("error ") + expr.error().toString());
            return false;
        }
        SimSession::printResult(toJson(value), QJsonArray());
        return true;
    });
}

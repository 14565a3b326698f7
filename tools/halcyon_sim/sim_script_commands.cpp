#include "sim_script_commands.h"
#include "macros/script_library.h"
#include "sim_output.h"
#include "sim_session.h"
#include "slot_invoker.h"
#include <QJsonArray>
#include <QJsonObject>
#include <cmath>
#include <memory>

namespace {

QJsonValue scriptToJson(const QJSValue& v)
{
    if (v.isArray()) {
        QJsonArray a;
        const int n = v.property(QStringLiteral("length")).toInt();
        for (int i = 0; i < n; ++i)
            a.append(scriptToJson(v.property(quint32(i))));
        return a;
    }
    if (v.isBool())
        return v.toBool();
    if (v.isNumber()) {
        const double d = v.toNumber();
        if (std::isfinite(d) && std::fabs(d) < 9.0e15 && d == std::floor(d))
            return qint64(d);
        return d;
    }
    if (v.isString())
        return v.toString();
    if (v.isNull() || v.isUndefined())
        return QJsonValue();
    return QJsonValue::fromVariant(v.toVariant());
}

struct ScriptRunner {
    QJSEngine engine;
    ScriptLibraries libraries{&engine};

    QJSValue library(const QString& qualifier)
    {
        if (qualifier == QLatin1String("KeyCodes"))
            return libraries.load(SceneLibraries::keyCodes());
        if (qualifier == QLatin1String("MacroCodec"))
            return libraries.load(SceneLibraries::macroCodec());
        return QJSValue();
    }

    QJSValue function(const QString& name)
    {
        const int dot = name.indexOf(QLatin1Char('.'));
        if (dot >= 0)
            return library(name.left(dot)).property(name.mid(dot + 1));
        for (const char* lib : {"MacroCodec", "KeyCodes"}) {
            const QJSValue f = library(QLatin1String(lib)).property(name);
            if (f.isCallable())
                return f;
        }
        return QJSValue();
    }
};

} // namespace

void registerScriptCommands(SimSession& session)
{
    auto runner = std::make_shared<ScriptRunner>();
    runner->engine.installExtensions(QJSEngine::ConsoleExtension);
    session.addSimCommand(QStringLiteral("js"), [runner](const QJsonObject& line) {
        const QString name = line.value(QStringLiteral("js")).toString();
        QJSValue f = runner->function(name);
        if (!f.isCallable()) {
            SimOutput::line(QStringLiteral("error no script function %1 %2").arg(name, runner->libraries.errorString()));
            return false;
        }
        QJSValueList args;
        for (const QJsonValue& a : line.value(QStringLiteral("args")).toArray())
            args << runner->engine.toScriptValue(jsonToVariant(a));
        const QJSValue r = f.call(args);
        if (r.isError()) {
            SimOutput::line(QStringLiteral("error ") + r.toString());
            return false;
        }
        SimSession::printResult(scriptToJson(r), QJsonArray());
        return true;
    });
}

#include "app/scene_state.h"
#include "app/myqquickview.h"
#include <QJSValue>
#include <QQuickItem>

namespace {
QVariant plain(const QVariant& v)
{
    // Objects and arrays of the scene arrive as QJSValue.
    if (v.userType() == qMetaTypeId<QJSValue>())
        return v.value<QJSValue>().toVariant();
    return v;
}
} // namespace

QVariant callScene(myQQuickView* view, const char* name, const QVariantList& args)
{
    QObject* root = view ? view->rootObject() : nullptr;
    if (!root)
        return QVariant();
    QVariant ret;
    QVariant a0 = args.value(0), a1 = args.value(1);
    bool ok = false;
    switch (args.size()) {
    case 0:
        ok = QMetaObject::invokeMethod(root, name, Qt::DirectConnection, Q_RETURN_ARG(QVariant, ret));
        break;
    case 1:
        ok = QMetaObject::invokeMethod(root, name, Qt::DirectConnection, Q_RETURN_ARG(QVariant, ret),
                                       Q_ARG(QVariant, a0));
        break;
    default:
        ok = QMetaObject::invokeMethod(root, name, Qt::DirectConnection, Q_RETURN_ARG(QVariant, ret),
                                       Q_ARG(QVariant, a0), Q_ARG(QVariant, a1));
        break;
    }
    if (!ok)
        qWarning("scene function %s is missing", name);
    return plain(ret);
}

SceneState sceneState(myQQuickView* view)
{
    const QVariantMap m = callScene(view, "ctlState").toMap();
    SceneState s;
    s.initialised = m.value(QStringLiteral("initialised")).toBool();
    s.profile = m.value(QStringLiteral("profile")).toInt();
    s.names = m.value(QStringLiteral("names")).toStringList();
    for (const QVariant& v : m.value(QStringLiteral("slots")).toList())
        s.profileSlots << v.toInt();
    s.stageCount = m.value(QStringLiteral("stageCount")).toInt();
    s.currentStage = m.value(QStringLiteral("currentStage")).toInt();
    for (const QVariant& v : m.value(QStringLiteral("dpiValues")).toList())
        s.dpiValues << v.toInt();
    return s;
}

#include "app/root_call.h"
#include <QMetaObject>
#include <QPointer>
#include <QQuickItem>
#include <QQuickWidget>
#include <QThread>

namespace {
RootCallObserver& observer()
{
    static RootCallObserver o;
    return o;
}

void invokeNow(QQuickWidget* view, const QByteArray& name, const QVariantList& args)
{
    if (observer())
        observer()(QString::fromLatin1(name), args);
    QObject* root = view->rootObject();
    if (!root) {
        qWarning("root function %s: no scene loaded", name.constData());
        return;
    }
    QVariant a[4];
    for (int i = 0; i < args.size() && i < 4; ++i)
        a[i] = args.at(i);
    // QML functions take QVariant parameters; pass exactly as many as given.
    QGenericArgument g[4];
    for (int i = 0; i < args.size() && i < 4; ++i)
        g[i] = Q_ARG(QVariant, a[i]);
    if (!QMetaObject::invokeMethod(root, name.constData(), Qt::DirectConnection, g[0], g[1], g[2], g[3]))
        qWarning("root function %s(%d arguments) is not defined by the scene", name.constData(),
                 int(args.size()));
}
} // namespace

void callRootFunction(QQuickWidget* view, const char* name, const QVariantList& args,
                      RootDelivery delivery)
{
    if (!view)
        return;
    Q_ASSERT(args.size() <= 4);
    const QByteArray fn(name);
    const bool direct = delivery == RootDelivery::Direct
        || (delivery == RootDelivery::GuiThread && QThread::currentThread() == view->thread());
    if (direct) {
        invokeNow(view, fn, args);
        return;
    }
    QPointer<QQuickWidget> target(view);
    QMetaObject::invokeMethod(view, [target, fn, args] {
        if (target)
            invokeNow(target, fn, args);
    }, Qt::QueuedConnection);
}

void setRootCallObserver(RootCallObserver o)
{
    observer() = std::move(o);
}

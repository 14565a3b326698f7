#pragma once
#include <QString>
#include <QVariantList>
#include <functional>

class QQuickWidget;

// Every call of a function of the scene's root object goes through here.
enum class RootDelivery {
    Direct,     // runs before the caller goes on
    Queued,     // posted to the GUI thread's event queue
    GuiThread,  // direct on the GUI thread, queued from any other thread
};

// Calls the root function `name` with the arguments, each passed as a
// QVariant. A missing root object or function is ignored with a warning.
void callRootFunction(QQuickWidget* view, const char* name, const QVariantList& args,
                      RootDelivery delivery);

// One process-wide observer sees each call on the GUI thread just before it
// runs (halcyon-sim prints it); null removes it.
using RootCallObserver = std::function<void(const QString& name, const QVariantList& args)>;
void setRootCallObserver(RootCallObserver observer);

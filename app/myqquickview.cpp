#include "app/myqquickview.h"
#include "app/root_call.h"
#include "app/window_rules.h"
#include <QDebug>
#include <QWheelEvent>

myQQuickView::myQQuickView(QWidget* parent) : QQuickWidget(parent)
{
    openSettingsState();
    qDebug() << "========================== ui_View ==================================";
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::wheelEvent(QWheelEvent* event)
{
    // The scene never sees wheel events; it gets "scroll" with whole steps.
    const std::optional<int> steps = wheelSteps(event->angleDelta());
    if (steps)
        callRootFunction(this, "scroll", {*steps}, RootDelivery::Queued);
    event->accept();
}

void myQQuickView::focusInEvent(QFocusEvent* event)
{
    repaint();
    // The scene's window must learn it has the keys again (after the input
    // lock disabled the view, for example); without this, text fields and
    // Escape stay deaf until the window is activated anew.
    QQuickWidget::focusInEvent(event);
    event->accept();
}

#include "app/myqquickview.h"
#include "app/root_call.h"
#include "app/user_dialogs.h"
#include "app/window_rules.h"
#include "settings/user_warnings.h"
#include "settings/write_failures.h"
#include <QDebug>
#include <QPointer>
#include <QWheelEvent>

myQQuickView::myQQuickView(QWidget* parent) : QQuickWidget(parent)
{
    // Settings files that could not be written are told in a warning box;
    // the services' other warnings are shown over this window.
    WriteFailures::setWarner([](const QString& title, const QString& text) {
        UserDialogs::current().warning(nullptr, title, text);
    });
    QPointer<myQQuickView> self(this);
    UserWarnings::setHandler([self](const QString& title, const QString& text) {
        UserDialogs::current().warning(self.data(), title, text);
    });
    qDebug() << "========================== ui_View ==================================";
}

myQQuickView::~myQQuickView()
{
    // Without the window, warnings go back to the log only.
    UserWarnings::setHandler({});
}

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

void myQQuickView::changeEvent(QEvent* event)
{
    QQuickWidget::changeEvent(event);
    // The input lock disables the view, which takes the keyboard focus from
    // it, and nothing gives it back when the lock ends: keys would reach the
    // host window alone and Escape would do nothing until the next click.
    // Take the focus back unless another widget of the window holds it.
    if (event->type() == QEvent::EnabledChange && isEnabled()) {
        const QWidget* focused = window()->focusWidget();
        if (!focused || focused == window())
            setFocus(Qt::OtherFocusReason);
    }
}

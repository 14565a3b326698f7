#include "app/myqquickview.h"
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
    // Completed by the application shell.
    event->accept();
}

void myQQuickView::focusInEvent(QFocusEvent* event)
{
    repaint();
    event->accept();
}

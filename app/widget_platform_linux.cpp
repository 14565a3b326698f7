// Widget's platform part on Linux: device changes come from the udev
// monitor, so the native events need no handling.
#include "app/widget.h"
#include <QMetaObject>

bool Widget::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    return QWidget::nativeEvent(eventType, message, result);
}

// The counterpart of posting SC_RESTORE: restore the window from the event
// loop.
void Widget::postRestoreRequest()
{
    QMetaObject::invokeMethod(this, [this] { restoreWindow(); }, Qt::QueuedConnection);
}

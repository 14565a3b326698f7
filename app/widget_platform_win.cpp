// Widget's platform part on Windows: WM_DEVICECHANGE restarts detection,
// SC_RESTORE brings the window back, restore requests are posted messages.
#include "app/widget.h"
#include <windows.h>

bool Widget::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_RESTORE)
        setVisible(true);
    else if (msg->message == WM_DEVICECHANGE)
        deviceChangeNotified();
    // Every message goes on to Qt's own handling.
    return QWidget::nativeEvent(eventType, message, result);
}

void Widget::postRestoreRequest()
{
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
}

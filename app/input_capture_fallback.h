#pragma once
class QWidget;

namespace InputCapture {
// Where desktop-wide capture is unavailable (Wayland without X11, the
// offscreen platform), keys and buttons that the window itself receives are
// reported instead, through the same tables. Says so once in the log.
void useWindowFallback(QWidget* window);
void stopWindowFallback();
} // namespace InputCapture

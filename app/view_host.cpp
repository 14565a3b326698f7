// Host-level slots of the view; completed by the application shell.
#include "app/myqquickview.h"
#include "device/hid_thread.h"

void myQQuickView::clearHidBusy()
{
    if (hid)
        hid->hidFree = true;
}

void myQQuickView::initUI() {}
void myQQuickView::runUI() {}
void myQQuickView::setBusy(int) {}
void myQQuickView::setCurrentDPI(int) {}
void myQQuickView::openUpdateExe() {}

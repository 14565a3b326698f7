// Windows always has its notification area.
#include "app/tray_host.h"

TrayHostWatch::TrayHostWatch(QObject* parent) : QObject(parent)
{
}

bool TrayHostWatch::present()
{
    return true;
}

void TrayHostWatch::hostRegistered()
{
}

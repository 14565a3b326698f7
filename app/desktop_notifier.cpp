#include "app/desktop_notifier.h"

namespace {
DesktopNotifier* g_installed = nullptr;
}

DesktopNotifier& DesktopNotifier::current()
{
    return g_installed ? *g_installed : system();
}

void DesktopNotifier::install(DesktopNotifier* notifier)
{
    g_installed = notifier;
}

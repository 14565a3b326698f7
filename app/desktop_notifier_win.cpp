// Windows always has the notification area: balloons go through the tray
// icon, so there is nothing else to send notices to.
#include "app/desktop_notifier.h"

namespace {
class NoDesktopNotifier : public DesktopNotifier {
public:
    void notify(const QString&, const QString&, int) override {}
};
} // namespace

DesktopNotifier& DesktopNotifier::system()
{
    static NoDesktopNotifier notifier;
    return notifier;
}

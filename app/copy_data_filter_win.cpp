#include "app/copy_data.h"
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <windows.h>

namespace {
// Sees every message the process dispatches; consumes WM_COPYDATA.
class CopyDataFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override
    {
        // Sent messages arrive as "windows_generic_MSG"; the dispatcher's
        // own variant only carries posted ones.
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_COPYDATA)
            return false;
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(msg->lParam);
        if (!deliverCopyData(quint64(cds->dwData), quint32(cds->cbData),
                             static_cast<const char*>(cds->lpData), size_t(cds->cbData)))
            return false;
        if (result)
            *result = 1;
        return true;
    }
};
} // namespace

void installCopyDataFilter()
{
    static CopyDataFilter filter;
    QCoreApplication::instance()->installNativeEventFilter(&filter);
}

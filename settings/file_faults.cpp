#include "settings/file_faults.h"
#include <QMutex>
#include <QMutexLocker>
#include <array>

namespace {
struct Plan {
    QString reason;
    int after = 0;
    int count = 0;   // < 0: until cleared
};

QMutex g_mutex;
std::array<Plan, 5> g_plans;
} // namespace

namespace FileFaults {

void failNext(Step step, const QString& reason, int count, int after)
{
    QMutexLocker lock(&g_mutex);
    g_plans[size_t(step)] = Plan{reason, qMax(0, after), count};
}

void clear()
{
    QMutexLocker lock(&g_mutex);
    g_plans.fill(Plan{});
}

bool failsNow(Step step, QString& reason)
{
    QMutexLocker lock(&g_mutex);
    Plan& plan = g_plans[size_t(step)];
    if (plan.count == 0)
        return false;
    if (plan.after > 0) {
        --plan.after;
        return false;
    }
    if (plan.count > 0)
        --plan.count;
    reason = plan.reason;
    return true;
}

bool planned(Step step, QString& reason)
{
    QMutexLocker lock(&g_mutex);
    const Plan& plan = g_plans[size_t(step)];
    if (plan.count == 0)
        return false;
    reason = plan.reason;
    return true;
}

bool stepFromName(const QString& name, Step& step)
{
    static const char* const names[] = {"write", "flush", "commit", "rename", "lock"};
    for (size_t k = 0; k < std::size(names); ++k) {
        if (name == QLatin1String(names[k])) {
            step = Step(k);
            return true;
        }
    }
    return false;
}

} // namespace FileFaults

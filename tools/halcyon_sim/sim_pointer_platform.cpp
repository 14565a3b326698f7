#include "sim_pointer_platform.h"
#include "settings/pointer_platform.h"
#include "sim_output.h"
#include "sim_session.h"
#include <QJsonArray>

namespace {

class SimPointerPlatform : public PointerPlatform {
public:
    bool fail = false;
    bool setPointerSpeed(int speed) override { return report(QStringLiteral("pointer-speed"), speed); }
    bool setDoubleClickTime(uint ms) override { return report(QStringLiteral("double-click-time"), ms); }
    bool setWheelScrollLines(uint lines) override { return report(QStringLiteral("wheel-lines"), lines); }
    QString unavailableReason(PointerSetting setting) const override { return reasons.value(int(setting)); }
    QStringList reasons;  // per setting, as a desktop would give them

private:
    bool report(const QString& what, qint64 value)
    {
        SimOutput::line(QStringLiteral("system %1 %2%3").arg(what).arg(value).arg(fail ? QStringLiteral(" failed") : QString()));
        return !fail;
    }
};

} // namespace

void installSimPointerPlatform(SimSession& session)
{
    static SimPointerPlatform platform;
    platform.fail = false;
    platform.reasons.clear();
    PointerPlatform::install(&platform);
    session.addSimCommand(QStringLiteral("pointer"), [](const QJsonObject& line) {
        platform.fail = line.value(QStringLiteral("fail")).toBool();
        platform.reasons.clear();
        for (const QJsonValue& reason : line.value(QStringLiteral("unavailable")).toArray())
            platform.reasons << reason.toString();
        return true;
    });
}

#include "sim_pointer_platform.h"
#include "settings/pointer_platform.h"
#include "sim_output.h"
#include "sim_session.h"
#include <QJsonArray>
#include <algorithm>
#include <iterator>

namespace {

class SimPointerPlatform : public PointerPlatform {
public:
    bool fail = false;
    bool setPointerSpeed(int speed) override { return report(PointerSetting::Speed, QStringLiteral("pointer-speed"), speed); }
    bool setDoubleClickTime(uint ms) override { return report(PointerSetting::DoubleClickTime, QStringLiteral("double-click-time"), ms); }
    bool setWheelScrollLines(uint lines) override { return report(PointerSetting::WheelLines, QStringLiteral("wheel-lines"), lines); }
    QString unavailableReason(PointerSetting setting) const override { return reasons.value(int(setting)); }
    int currentValue(PointerSetting setting) const override { return values[int(setting)]; }
    QStringList reasons;  // per setting, as a desktop would give them
    // The desktop's values: speed 1..20, double-click ms, wheel lines.
    static constexpr int DefaultValues[3] = {10, 550, 3};
    int values[3] = {DefaultValues[0], DefaultValues[1], DefaultValues[2]};

private:
    bool report(PointerSetting setting, const QString& what, qint64 value)
    {
        SimOutput::line(QStringLiteral("system %1 %2%3").arg(what).arg(value).arg(fail ? QStringLiteral(" failed") : QString()));
        if (!fail)
            values[int(setting)] = int(value);
        return !fail;
    }
};

} // namespace

void installSimPointerPlatform(SimSession& session)
{
    static SimPointerPlatform platform;
    platform.fail = false;
    platform.reasons.clear();
    std::copy(std::begin(SimPointerPlatform::DefaultValues), std::end(SimPointerPlatform::DefaultValues), platform.values);
    PointerPlatform::install(&platform);
    session.addSimCommand(QStringLiteral("pointer"), [](const QJsonObject& line) {
        platform.fail = line.value(QStringLiteral("fail")).toBool();
        platform.reasons.clear();
        for (const QJsonValue& reason : line.value(QStringLiteral("unavailable")).toArray())
            platform.reasons << reason.toString();
        const QJsonArray current = line.value(QStringLiteral("current")).toArray();
        for (int i = 0; i < current.size() && i < 3; ++i)
            platform.values[i] = current.at(i).toInt(-1);
        return true;
    });
}

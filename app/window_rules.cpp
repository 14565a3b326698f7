#include "app/window_rules.h"
#include <cstdlib>

QSize windowSizeForScreen(const QSize& screen)
{
    if (screen.width() > 1280)
        return QSize(int(screen.width() / 1.5), int(screen.height() / 1.5));
    return screen;
}

std::optional<int> wheelSteps(const QPoint& angleDelta)
{
    // A wheel is horizontal when it turns more sideways than up or down.
    if (std::abs(angleDelta.x()) > std::abs(angleDelta.y()))
        return std::nullopt;
    return (angleDelta.y() / 8) / 15;
}

QUrl sceneUrl(const QString& documented)
{
    QUrl url(documented);
    if (url.scheme() == QLatin1String("qrc") && !url.path().startsWith(QLatin1Char('/')))
        url.setPath(QLatin1Char('/') + url.path());
    return url;
}

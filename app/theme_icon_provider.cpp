#include "app/theme_icon_provider.h"
#include <QIcon>

ThemeIconProvider::ThemeIconProvider()
    : QQuickImageProvider(QQuickImageProvider::Pixmap)
{
}

QPixmap ThemeIconProvider::requestPixmap(const QString& id, QSize* size, const QSize& requestedSize)
{
    const QSize wanted = requestedSize.isValid() ? requestedSize : QSize(32, 32);
    const QIcon icon = QIcon::fromTheme(id);
    QPixmap pixmap = icon.isNull() ? QPixmap() : icon.pixmap(wanted);
    // No icon of that name: a blank one, so the scene shows nothing rather
    // than logging a failure for every program without an icon.
    if (pixmap.isNull()) {
        pixmap = QPixmap(wanted);
        pixmap.fill(Qt::transparent);
    }
    if (size)
        *size = pixmap.size();
    return pixmap;
}

#pragma once
#include <QQuickImageProvider>

// "image://theme/NAME" in the scene: the icon NAME of the desktop's icon
// theme (the rule dialog shows the icons of the programs with windows). An
// unknown name gives a blank image.
class ThemeIconProvider : public QQuickImageProvider {
public:
    ThemeIconProvider();
    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) override;
};

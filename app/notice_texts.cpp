#include "app/notice_texts.h"

QString& accessDeniedNotice()
{
    static QString text = QStringLiteral("Device found but not accessible: install the udev rule");
    return text;
}

QString& showWindowMenuText()
{
    static QString text = QStringLiteral("Show Halcyon");
    return text;
}

// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

QStringList myQQuickView::getLangStrings(QString, QString)
{
    return QStringList();
}

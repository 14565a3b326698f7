// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

void myQQuickView::mouseSetCurrentDPI(uchar)
{
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    return QVariant();
}

void myQQuickView::mouseSetDpi(int, QString, QVariantList, QVariantList)
{
}

void myQQuickView::mouseSetLodValue(uchar, uchar)
{
}

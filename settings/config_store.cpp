// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

void myQQuickView::resetApconfig()
{
}

QVariant myQQuickView::getData(QVariant, bool)
{
    return QVariant();
}

QVariant myQQuickView::getGlobalData(QVariant)
{
    return QVariant();
}

QVariantList myQQuickView::getDataList(QVariant, bool)
{
    return QVariantList();
}

void myQQuickView::setData(QVariant, QVariant)
{
}

void myQQuickView::setGlobalData(QVariant, QVariant)
{
}

void myQQuickView::setDataList(QVariant, QVariantList)
{
}

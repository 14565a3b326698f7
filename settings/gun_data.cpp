// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

void myQQuickView::mouseSaveGundata(QVariant, QVariantList)
{
}

void myQQuickView::mouseSendGundata(int, QVariantList)
{
}

void myQQuickView::modifyGundata(QVariant, QVariantList)
{
}

QVariantList myQQuickView::getGunData(QVariant)
{
    return QVariantList();
}

QStringList myQQuickView::getGunDataKey()
{
    return QStringList();
}

QVariant myQQuickView::getXYSensitive(QVariant)
{
    return QVariant();
}

QVariant myQQuickView::getselectGun(QVariant)
{
    return QVariant();
}

void myQQuickView::setXYSensitive(QVariant, QVariant)
{
}

void myQQuickView::setSelectGun(QVariant, QVariant)
{
}

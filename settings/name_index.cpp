// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

QVariant myQQuickView::getMacroList_Att(int)
{
    return QVariant();
}

QVariant myQQuickView::getMacroSubList_Att(int, QVariant)
{
    return QVariant();
}

QVariant myQQuickView::updataNameList(QVariant, QStringList)
{
    return QVariant();
}

QVariant myQQuickView::updataMacroList(QVariant, QVariant, QVariant, QStringList, QStringList, QStringList, QStringList, QStringList, QStringList, QStringList, QStringList, QStringList, QStringList)
{
    return QVariant();
}

void myQQuickView::updataMacroList_delOld(QVariant)
{
}

QVariantList myQQuickView::getNameList(QVariant)
{
    return QVariantList();
}

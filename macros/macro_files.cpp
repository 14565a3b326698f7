// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

QVariant myQQuickView::createMacroIni(QVariant, QVariant, QVariant, QVariant)
{
    return QVariant();
}

QVariant myQQuickView::saveMacroIni(QVariant, QVariant, QStringList, QVariant)
{
    return QVariant();
}

QStringList myQQuickView::loadMacroIni(QVariant, QVariant)
{
    return QStringList();
}

QVariant myQQuickView::deleteMacroIni(QVariant, QVariant, QVariant)
{
    return QVariant();
}

// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

QString myQQuickView::loadMacroFile(QVariant, QVariant)
{
    return QString();
}

void myQQuickView::saveMacroFile(QVariant, QVariant)
{
}

QString myQQuickView::loadMacroFile_batch()
{
    return QString();
}

void myQQuickView::loadMacroFile_sub_batch()
{
}

QStringList myQQuickView::getMacroFileName_batch(QVariant, QVariant)
{
    return QStringList();
}

void myQQuickView::getbatchPath()
{
}

void myQQuickView::saveMacroFile_batch(QVariant, QVariantList, QVariantList)
{
}

void myQQuickView::searchMacroFile_sub_batch(QVariant, QVariant, QVariant)
{
}

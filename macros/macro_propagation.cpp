// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant, QVariant, QVariant, QVariant)
{
    return QVariant();
}

void myQQuickView::deleteMacroUpdateProfile(QVariant)
{
}

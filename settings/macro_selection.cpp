// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

void myQQuickView::setMacroSelectName(QVariant, QVariant, QVariant, QVariant, QVariant)
{
}

void myQQuickView::setMacroLevel(QVariant)
{
}

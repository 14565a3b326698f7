// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

void myQQuickView::mouseSetCursorSpeed(uint)
{
}

void myQQuickView::mouseSetVerticalScrollLines(uint)
{
}

void myQQuickView::mouseSetDoubleClickSpeed(uint)
{
}

// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

bool myQQuickView::loadProfile(int)
{
    return false;
}

void myQQuickView::saveProfile(int)
{
}

void myQQuickView::resetProfile(int)
{
}

void myQQuickView::copyProfile(int, int)
{
}

void myQQuickView::setCurrentProfile(int)
{
}

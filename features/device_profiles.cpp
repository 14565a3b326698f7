// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

void myQQuickView::mouseSetKeyboardoption(uchar, uchar, uchar, uchar)
{
}

void myQQuickView::mouseSetReportRate(uchar)
{
}

void myQQuickView::mouseSetProfile(uint)
{
}

void myQQuickView::mouseReadProfile(uint)
{
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    return QVariant();
}

QVariantList myQQuickView::GetKeyboardoption()
{
    return QVariantList();
}

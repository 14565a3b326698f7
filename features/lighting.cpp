// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

void myQQuickView::mouseSetRGBEffect(uchar, uchar, uchar)
{
}

void myQQuickView::mouseSetRGBColor(uchar, QVariantList)
{
}

void myQQuickView::mouseSetLedType(uchar, uchar, uchar, uchar, QVariantList)
{
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar, QVariantList)
{
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar)
{
    return QVariantList();
}

bool myQQuickView::chkIsLogoLedWork()
{
    return false;
}

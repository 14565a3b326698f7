// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

void myQQuickView::mouseResetKeyMatrix()
{
}

void myQQuickView::mouseSetKeyMatrix(QVariant, QVariantList, QVariantList, bool, QVariantList)
{
}

void myQQuickView::mouseSwitchKeyMatrix(int)
{
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant, QVariant, bool)
{
    return QVariantList();
}

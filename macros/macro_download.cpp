// Not yet implemented: placeholder bodies so that the view links.
#include "app/myqquickview.h"

QVariant myQQuickView::mouseSendMacroData(QVariantList, QVariant)
{
    return QVariant();
}

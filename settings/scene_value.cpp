#include "settings/scene_value.h"
#include <QJSValue>
#include <QVariantList>
#include <QVariantMap>

QVariant plainSceneValue(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QJSValue>())
        return plainSceneValue(value.value<QJSValue>().toVariant());
    if (value.metaType() == QMetaType::fromType<QVariantList>()) {
        QVariantList items = value.toList();
        for (QVariant& item : items)
            item = plainSceneValue(item);
        return items;
    }
    if (value.metaType() == QMetaType::fromType<QVariantMap>()) {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            it.value() = plainSceneValue(it.value());
        return map;
    }
    return value;
}

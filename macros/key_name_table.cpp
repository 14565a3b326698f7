#include "macros/key_name_table.h"
#include "macros/script_library.h"
#include <QJSEngine>

namespace KeyNameTable {

const QVector<Row>& rows()
{
    static const QVector<Row> table = [] {
        QVector<Row> result;
        QJSEngine engine;
        ScriptLibraries libraries(&engine);
        const QJSValue ns = libraries.load(SceneLibraries::keyCodes());
        const QJSValue list = ns.property(QStringLiteral("builtinTable"));
        const int count = list.property(QStringLiteral("length")).toInt();
        for (int i = 0; i < count; ++i) {
            const QJSValue row = list.property(quint32(i));
            result.append({row.property(0).toInt(), row.property(1).toString()});
        }
        return result;
    }();
    return table;
}

QString nameOf(int code)
{
    for (const Row& r : rows()) {
        if (r.code == code)
            return r.name;
    }
    return QString();
}

int codeOf(const QString& name)
{
    for (const Row& r : rows()) {
        if (r.name == name)
            return r.code;
    }
    return 0;
}

} // namespace KeyNameTable

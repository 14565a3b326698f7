#include "slot_invoker.h"
#include <QJsonObject>
#include <QMetaMethod>
#include <QStringList>
#include <cmath>
#include <memory>
#include <vector>

QVariant jsonToVariant(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Bool: return v.toBool();
    case QJsonValue::Double: {
        const double d = v.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 2147483648.0)
            return int(d);
        return d;
    }
    case QJsonValue::String: return v.toString();
    case QJsonValue::Array: {
        QVariantList list;
        for (const QJsonValue& item : v.toArray())
            list.append(jsonToVariant(item));
        return list;
    }
    case QJsonValue::Object: {
        QVariantMap map;
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            map.insert(it.key(), jsonToVariant(it.value()));
        return map;
    }
    default: return QVariant();
    }
}

QJsonValue variantToJson(const QVariant& v)
{
    if (!v.isValid())
        return QJsonValue();
    switch (v.metaType().id()) {
    case QMetaType::Bool: return v.toBool();
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::UChar: case QMetaType::Char:
    case QMetaType::SChar: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::LongLong: case QMetaType::ULongLong:
        return v.toLongLong();
    case QMetaType::Double: case QMetaType::Float: return v.toDouble();
    case QMetaType::QString: return v.toString();
    case QMetaType::QStringList: return QJsonArray::fromStringList(v.toStringList());
    case QMetaType::QVariantList: {
        QJsonArray a;
        for (const QVariant& item : v.toList())
            a.append(variantToJson(item));
        return a;
    }
    case QMetaType::QVariant: return variantToJson(v.value<QVariant>());
    default: return QJsonValue::fromVariant(v);
    }
}

InvokeResult invokeByName(QObject* target, const QString& slot, const QJsonArray& args)
{
    InvokeResult result;
    const QMetaObject* mo = target->metaObject();
    QMetaMethod method;
    for (int i = 0; i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (QString::fromLatin1(m.name()) == slot && m.parameterCount() == args.size()
            && m.methodType() != QMetaMethod::Signal) {
            method = m;
            break;
        }
    }
    if (!method.isValid()) {
        result.error = QStringLiteral("no slot %1 with %2 arguments").arg(slot).arg(args.size());
        return result;
    }

    const int n = method.parameterCount();
    std::vector<void*> argv(size_t(n) + 1, nullptr);
    std::vector<QVariant> values(static_cast<size_t>(n));
    std::vector<unsigned char> refs(size_t(n), 0);
    std::vector<std::unique_ptr<unsigned char[]>> buffers(static_cast<size_t>(n));
    std::vector<unsigned char*> bufferPtrs(size_t(n), nullptr);
    std::vector<int> bufferLengths(size_t(n), 0);

    for (int i = 0; i < n; ++i) {
        const QByteArray type = method.parameterTypeName(i);
        const QJsonValue arg = args.at(i);
        if (type == "uchar&") {
            refs[size_t(i)] = static_cast<unsigned char>(arg.toInt());
            argv[size_t(i) + 1] = &refs[size_t(i)];
        } else if (type == "uchar*") {
            constexpr int size = 512;
            buffers[size_t(i)].reset(new unsigned char[size]());
            const QJsonArray bytes = arg.toArray();
            bufferLengths[size_t(i)] = int(bytes.size());
            for (int k = 0; k < bytes.size() && k < size; ++k)
                buffers[size_t(i)][size_t(k)] = static_cast<unsigned char>(bytes.at(k).toInt());
            bufferPtrs[size_t(i)] = buffers[size_t(i)].get();
            argv[size_t(i) + 1] = &bufferPtrs[size_t(i)];
        } else {
            const QMetaType mt = method.parameterMetaType(i);
            QVariant v = jsonToVariant(arg);
            if (mt.id() == QMetaType::QVariant) {
                values[size_t(i)] = v;
                argv[size_t(i) + 1] = &values[size_t(i)];
            } else {
                if (mt.id() == QMetaType::QStringList && v.metaType().id() == QMetaType::QVariantList) {
                    QStringList strings;
                    for (const QVariant& item : v.toList())
                        strings << item.toString();
                    v = strings;
                }
                if (v.metaType() != mt && !v.convert(mt)) {
                    result.error = QStringLiteral("argument %1 does not convert to %2")
                                       .arg(i + 1).arg(QString::fromLatin1(type));
                    return result;
                }
                values[size_t(i)] = v;
                argv[size_t(i) + 1] = values[size_t(i)].data();
            }
        }
    }

    const QMetaType rt = method.returnMetaType();
    QVariant ret;
    if (rt.isValid() && rt.id() != QMetaType::Void) {
        ret = rt.id() == QMetaType::QVariant ? QVariant() : QVariant(rt);
        argv[0] = rt.id() == QMetaType::QVariant ? static_cast<void*>(&ret) : ret.data();
    }
    QMetaObject::metacall(target, QMetaObject::InvokeMetaMethod, method.methodIndex(), argv.data());
    result.ok = true;
    result.returned = (rt.isValid() && rt.id() != QMetaType::Void) ? variantToJson(ret) : QJsonValue();
    for (int i = 0; i < n; ++i) {
        const QByteArray type = method.parameterTypeName(i);
        if (type == "uchar&") {
            result.out.append(int(refs[size_t(i)]));
        } else if (type == "uchar*") {
            QJsonArray bytes;
            for (int k = 0; k < bufferLengths[size_t(i)]; ++k)
                bytes.append(int(buffers[size_t(i)][size_t(k)]));
            result.out.append(bytes);
        }
    }
    return result;
}

#pragma once
#include <QJsonArray>
#include <QJsonValue>
#include <QObject>
#include <QString>

// Calls a slot or invokable of a QObject by name with JSON arguments,
// converted to the slot's parameter types:
//  - uchar&  takes a number, its value on entry; reported back in "out";
//  - uchar*  takes a list of byte values, copied into a zeroed buffer large
//            enough for any command; reported back in "out" at the given length;
//  - QVariantList / QStringList take lists, anything else is converted.
struct InvokeResult {
    bool ok = false;
    QString error;
    QJsonValue returned;   // null for none
    QJsonArray out;        // reference and buffer parameters after the call
};

InvokeResult invokeByName(QObject* target, const QString& slot, const QJsonArray& args);

// JSON to QVariant with whole numbers as int and lists as QVariantList.
QVariant jsonToVariant(const QJsonValue& v);
QJsonValue variantToJson(const QVariant& v);

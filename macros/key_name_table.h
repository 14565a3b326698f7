#pragma once
#include <QString>
#include <QVector>

// The key-name table as C++ sees it: the built-in rows of the scene's
// keycodes.js library, read once from the resources (the library is the one
// source of the table).
namespace KeyNameTable {
struct Row {
    int code;
    QString name;
};
// All rows in table order; empty when the library cannot be read.
const QVector<Row>& rows();
// The name of the first row with `code`, or "" when none has it.
QString nameOf(int code);
// The code of the first row named `name`, or 0 when none is.
int codeOf(const QString& name);
}

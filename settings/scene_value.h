#pragma once
#include <QVariant>

// A value the scene handed to a QVariant parameter, as plain data. Qt 6
// passes JavaScript arrays and objects to a QVariant as a QJSValue; stored as
// it is, the settings file would get an opaque "@Variant(...)" blob that
// reads back as nothing useful. Arrays become QVariantList and objects
// QVariantMap, at any depth, so a list is written as its items separated by
// ", " like every other list in the files. Other values pass unchanged.
QVariant plainSceneValue(const QVariant& value);

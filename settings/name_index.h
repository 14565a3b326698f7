#pragma once
#include <QString>

// The name index file: the macro tree, the profile names and the gun names.
namespace NameIndex {
// Path of the file, relative to the working directory.
QString path();
// Appended to a list of one item so that it reads back as a list.
QString sentinel();
} // namespace NameIndex

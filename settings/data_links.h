#pragma once
#include <QString>

// The data folder (./modules of the working folder) is the program's own:
// a write to a file inside it never follows a link to a place outside it,
// where it could replace a file of the user's (or another user's) that the
// program never meant to touch. Links inside the folder that stay inside
// it, and a data folder that is itself reached through a link, are fine.
namespace DataLinks {

// Why writing path would leave the data folder through a link, or empty
// when it would not (or path is not inside the data folder at all).
QString escapeReason(const QString& path);

} // namespace DataLinks

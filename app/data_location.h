#pragma once
#include <QString>

// Where the program keeps its modules/ tree.
//
// A portable copy (the build tree, an unpacked archive) keeps it next to the
// executable and works there, as it always has. An installed copy cannot
// write under its prefix: it works in the user's data directory, which is
// seeded from the read-only shipped tree.
struct DataLocation {
    QString workingDirectory;  // becomes the current directory; holds modules/
    QString shippedModules;    // the read-only tree the user's copy was seeded from; empty when portable
};

// exeDir: the executable's directory; xdgDataHome: $XDG_DATA_HOME, or empty
// for the default ~/.local/share.
DataLocation resolveDataLocation(const QString& exeDir, const QString& xdgDataHome);

// Copies every file of `shipped` that `target` lacks, creating folders as
// needed. Existing files are never touched. Returns the number copied, or -1
// when a file could not be copied.
int seedUserData(const QString& shipped, const QString& target);

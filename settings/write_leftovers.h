#pragma once
#include <QString>

// What a program killed in the middle of a settings write leaves behind: the
// new content's temporary file beside its target ("p1.bin.Ab3xYz") and the
// lock file of a settings handle ("name.bin.lock"). The target itself is
// always whole (it is only ever replaced by a rename). These leftovers are
// removed at start; a lock still held by a live process is kept.
// Returns the number of files removed below modulesDir.
int removeWriteLeftovers(const QString& modulesDir);

// Reports (once, as a failed write would) a data folder the program cannot
// write to: every change would otherwise be lost without a word.
// False when some folder below modulesDir is not writable.
bool checkDataFolderWritable(const QString& modulesDir);

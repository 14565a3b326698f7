#pragma once
#include <QString>

// Planned failures of file writes, the file-system counterpart of the virtual
// mouse's failures: a test (or halcyon-sim) makes the next write, flush,
// commit or rename of a settings file fail with a given reason, the way a
// full disk or a vanished folder would. Every writer of the program asks
// here before each step; with nothing planned every step goes through.
// Lock is the lock file a settings object creates beside its file before it
// writes: when that fails it gives up without running the writer at all.
namespace FileFaults {

enum class Step { Write, Flush, Commit, Rename, Lock };

// The next `count` calls of `step` fail with `reason` after `after`
// successful ones; a negative count fails every call until clear().
void failNext(Step step, const QString& reason, int count = 1, int after = 0);
void clear();

// Called by the writers before each step: true when this one must fail,
// with the planned reason.
bool failsNow(Step step, QString& reason);

// Whether a failure of `step` is still planned (without using one up), with
// its reason: the disk is still full.
bool planned(Step step, QString& reason);

// "write", "flush", "commit", "rename", "lock"; false for any other text.
bool stepFromName(const QString& name, Step& step);

} // namespace FileFaults

#pragma once
#include <QString>

// Planned failures of file writes, the file-system counterpart of the virtual
// mouse's failures: a test (or halcyon-sim) makes the next write, flush,
// commit or rename of a settings file fail with a given reason, the way a
// full disk or a vanished folder would. Every writer of the program asks
// here before each step; with nothing planned every step goes through.
namespace FileFaults {

enum class Step { Write, Flush, Commit, Rename };

// The next `count` calls of `step` fail with `reason` after `after`
// successful ones; a negative count fails every call until clear().
void failNext(Step step, const QString& reason, int count = 1, int after = 0);
void clear();

// Called by the writers before each step: true when this one must fail,
// with the planned reason.
bool failsNow(Step step, QString& reason);

// "write", "flush", "commit", "rename"; false for any other text.
bool stepFromName(const QString& name, Step& step);

} // namespace FileFaults

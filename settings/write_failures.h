#pragma once
#include <QString>
#include <functional>

// What the user hears of settings files that could not be written. A failed
// write keeps the file's previous content; the user is warned once per file
// (until a later write of it succeeds again), naming the file and the reason,
// and every failure is logged.
namespace WriteFailures {

// Records a failed write of path. The warning box is shown from the event
// loop, never from inside a write (a settings handle may hold its file's
// lock there).
void record(const QString& path, const QString& reason);
// Shows the warning box; installed by the backend view (the device layer
// and tools without a user interface only log).
void setWarner(std::function<void(const QString& title, const QString& text)> warner);

// A write of path succeeded: a later failure warns again.
void cleared(const QString& path);

// The reason recorded by the INI writer for path during the current write,
// taken (and forgotten) by the caller that checks the write's outcome.
void noteWriterError(const QString& path, const QString& reason);
QString takeWriterError(const QString& path);

// The warning's text for path and reason.
QString warningText(const QString& path, const QString& reason);

} // namespace WriteFailures

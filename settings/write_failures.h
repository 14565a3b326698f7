#pragma once
#include <QString>
#include <QStringList>
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

// While busy() says so (a transfer to the mouse runs, which a modal box
// would stall), warnings wait; deliverHeld() shows them once it is over.
void setHold(std::function<bool()> busy);
void deliverHeld();

// Takes the failures recorded while it lives, for a caller that answers
// with them instead of a warning box (a request of the command-line tool).
// Each failure is taken, whether or not its file was warned about before.
class Collector {
public:
    Collector();
    ~Collector();
    Collector(const Collector&) = delete;
    Collector& operator=(const Collector&) = delete;
    // The warning texts, in order.
    const QStringList& texts() const { return m_texts; }

private:
    friend void record(const QString&, const QString&);
    QStringList m_texts;
    Collector* m_previous;
};

// A write of path succeeded: a later failure warns again.
void cleared(const QString& path);

// The reason recorded by the INI writer for path during the current write,
// taken (and forgotten) by the caller that checks the write's outcome.
void noteWriterError(const QString& path, const QString& reason);
QString takeWriterError(const QString& path);

// The warning's text for path and reason.
QString warningText(const QString& path, const QString& reason);

} // namespace WriteFailures

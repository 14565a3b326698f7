#pragma once
#include <QFileInfo>
#include <QString>
#include <functional>

namespace FolderRemoval {

// Whether a folder delete may remove an entry: it must be both readable and
// writable.
bool mayRemove(const QFileInfo& entry);

// Removes everything below `dir`, deepest first, then `dir` itself. An entry
// that `removable` declines, or whose removal fails, stays, and so does every
// folder above it; the walk still comes to an end. Links are removed, never
// followed. True when `dir` is gone.
bool removeFolderTree(const QString& dir, const std::function<bool(const QFileInfo&)>& removable);

}

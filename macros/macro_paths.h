#pragma once
#include "settings/macro_selection.h"
#include <QString>
#include <QVariant>

// Where the entries of the macro library live on disk, and which names may
// become library entries at all.
namespace MacroPaths {

// The library root, relative to the working directory.
QString rootPath();

// Creates the library root when it is missing (a fresh installation may
// ship without it).
void ensureRoot();

// Deepest entry level: folders sit at levels 0 to 4, macro files at 0 to 5.
constexpr int MaxLevel = 5;

// True for a name that can be a file or folder of the library: not empty,
// not "." or "..", no path separator, no character the file systems of the
// supported platforms reject, no separator of the name index's lists (",",
// ";", "="), not starting with a blank nor ending in a dot or blank, not a
// reserved device name (in any case), and short enough for a file name with
// its extension. The scene asks the same rule (isMacroNameAllowed), so the
// tree, the name index and the files never disagree.
bool isSafeName(const QString& name);

// True for a name the editor lets a user give a new or renamed entry: a
// safe name without a dot. Exchange files are read back under the part of
// their name before the first dot, so a name with a dot would not survive
// its own export and import ("v1.5 Spray.mc" comes back as "v1").
bool isNewEntryName(const QString& name);

// The library root followed by the first `depth` folder names of
// `selection`, each with "/" after it. Empty when depth is outside 0..5 or
// one of those names is not a safe name.
QString selectedFolderPath(const MacroSelection& selection, int depth);

// The entry path of `name` at `level` (0..5): the selected folder path of
// that depth, then the name, then ".bin" for a macro file. Empty when the
// level is outside 0..5 or any name on the way is not safe.
QString entryPath(const MacroSelection& selection, const QVariant& level, const QString& name, bool macroFile);

// The level as the slots receive it; -1 when it is not a level 0..5.
int levelOf(const QVariant& level);

// The base name used for names found on disk: the last path component up
// to its first dot.
QString baseName(const QString& path);

}

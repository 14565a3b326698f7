#pragma once
#include "macros/macro_paths.h"
#include <QString>
#include <QStringList>
#include <QVariant>

class NameIndex;
class ProfileStore;

// The macro library on disk (./modules/macro/): macro files and folders,
// their import and export as ".mc" exchange files, and what renaming or
// deleting an entry changes elsewhere. Entry paths follow the macro
// selection given at construction, which the scene sets before each
// operation. Files the user picks are chosen by the caller; the
// library only takes their paths.
class MacroLibrary {
public:
    MacroLibrary(ProfileStore& profiles, NameIndex& index, const MacroSelection& selection);

    // ---- entries (macro_files.cpp) ----
    // Creates macro file `name` (type 0, with index `macroIndex`) or folder
    // `name` (any other type) at `level`. False for a refused name or a
    // failed write; a duplicate folder is warned about and reported true.
    bool createEntry(const QVariant& name, const QVariant& macroIndex, const QVariant& level, const QVariant& type);
    // Replaces the actions and the repeat count of an existing macro file.
    bool saveMacro(const QVariant& level, const QVariant& name, const QStringList& actions, const QVariant& repeat);
    // The macro's actions followed by its repeat count; empty without the file.
    QStringList loadMacro(const QVariant& level, const QVariant& name) const;
    // Deletes a macro file, or a folder with what it holds.
    bool deleteEntry(const QVariant& level, const QVariant& type, const QVariant& name);

    // ---- exchange files (macro_exchange.cpp) ----
    // Copies the exchange file `chosen` into the selected folder (or the
    // root) and returns the macro's name; empty when nothing was chosen or
    // the name is refused. An existing macro is never replaced.
    QString importFile(const QString& chosen, const QVariant& level, const QVariant& selectType);
    // Copies macro `name` at `level` to the exchange file `chosen`.
    void exportFile(const QString& chosen, const QVariant& level, const QVariant& name);
    // Starts a batch import of directory `chosen` as a new top-level
    // folder, returning its name (empty when refused or nothing chosen).
    QString beginBatchImport(const QString& chosen);
    // Copies the tree of the batch import into that folder and lists what
    // it found for batchNames.
    void runBatchImport();
    // Names found by the last batch import or folder scan at depth 1..5,
    // macro files (type 0) or folders (type 1).
    QStringList batchNames(const QVariant& depth, const QVariant& type) const;
    // The directory chosen for a batch export; a "Macro" folder is made in it.
    void setExportRoot(const QString& chosen);
    // Exports the listed entries of the selected folder at `level` below the
    // export root.
    void exportEntries(const QVariant& level, const QVariantList& names, const QVariantList& types);
    // Lists the folder tree of `name` at `level` for batchNames and removes
    // the name index's sub-lists from depth `deleteLevel` down.
    void scanFolder(const QVariant& name, const QVariant& level, const QVariant& deleteLevel);
    // Files and folders the last import passed over for their names.
    QStringList refusedImportNames() const { return m_refused; }
    // The folder the last batch import could not read, as chosen; empty
    // when it could.
    QString unreadableImportFolder() const { return m_unreadableFolder; }

    // ---- rename and delete elsewhere (macro_propagation.cpp) ----
    // Renames an entry on disk; false when the old one is missing or the new
    // name belongs to another entry.
    bool renameEntry(const QVariant& level, const QVariant& type, const QVariant& oldName, const QVariant& newName);
    // Buttons of the listed profiles bound to macro `name` get their factory
    // binding back.
    void unbindFromProfiles(const QVariant& name);

private:
    void clearBatchNames();

    ProfileStore& m_profiles;
    NameIndex& m_index;
    const MacroSelection& m_selection;
    QString m_batchPath;   // directory of the last batch import
    QString m_exportRoot;  // "Macro" inside the directory of the last batch export
    // Per depth 1..5 and type (0 macro files, 1 folders); depth 5 holds
    // macro files only.
    QStringList m_batchNames[MacroPaths::MaxLevel + 1][2];
    QStringList m_refused;
    QString m_unreadableFolder;
};

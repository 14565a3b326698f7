#pragma once
#include <QSettings>
#include <QString>
#include <QVariant>

class MacroSelection;

// The name index file: the macro tree, the profile names and the gun names.
//
// The file is parsed once and kept in memory; every change is written back
// once, whole, by writing beside the file and renaming over it. Changes made
// inside a Batch are written once when the outermost Batch ends. When the
// file is replaced behind the program's back (another tool, a restored
// backup), the next access reads it again.
class NameIndex {
public:
    // Path of the file, relative to the working directory.
    static QString path();
    // Appended to a list of one item so that it reads back as a list.
    static QString sentinel();

    // The index of the file at path() in the current working directory.
    static NameIndex& instance();

    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    // Removes the key and every key below it, as QSettings::remove does.
    void remove(const QString& key);
    // Every key with its value, for readers that take the whole tree at once.
    const QSettings::SettingsMap& entries() const;

    // ---- the scene's lists ----
    // Name list `type` (0 macros, 1 guns, 2 profiles, 3 gun selection):
    // stored with the sentinel after a single name, removed when empty.
    // False when the file could not be written; an unknown type is ignored.
    bool storeNameList(const QVariant& type, const QStringList& names);
    QVariantList nameList(const QVariant& type) const;
    // Attribute list `att` of the top-level macro list.
    QVariantList macroList(int att) const;
    // Attribute list `att` of the children of folder `name` at the macro
    // level of `selection`.
    QVariantList macroSubList(const MacroSelection& selection, int att, const QString& name) const;
    // Stores the ten attribute lists of one level (names, types, showImg,
    // txtMargin, level, no0 to no4); groups follow the folders of
    // `selection`. att 0 replaces the selected level's list and drops the old
    // sub-list of `currentName`; 1 replaces the level's list; 2 stores the
    // lists as the children of folder `currentName`.
    bool storeMacroList(const MacroSelection& selection, const QVariant& att, const QVariant& macroLevel,
                        const QVariant& currentName, const QStringList (&lists)[10]);
    // Removes the level list stored under `group` (a macro tree path).
    void removeMacroList(const QString& group);
    // For the top-level list (key "macro") and each folder's children (key:
    // its macro tree path) the pair [names, types] as stored.
    QVariantMap macroTree() const;
    // Several level-list writes in one file write; see the view's
    // updataMacroLists for the items' shape. Each item's chain becomes the
    // selected folders of `selection` before its lists are stored, and stays
    // selected afterwards.
    void storeMacroLists(MacroSelection& selection, const QVariantList& writes);

    // Whether the last write of the file worked (true before any write).
    // After a failed write the index holds what the file holds.
    bool lastWriteSucceeded() const { return m_lastWriteOk; }
    // Groups changes into one write.
    class Batch {
    public:
        Batch();
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
    };

private:
    NameIndex() = default;
    void ensureCurrent() const;
    void changed();
    void writeBack();

    struct FileStamp {
        bool exists = false;
        qint64 size = 0;
        qint64 mtimeNs = 0;
        quint64 inode = 0;
        bool operator==(const FileStamp& o) const
        {
            return exists == o.exists && size == o.size && mtimeNs == o.mtimeNs && inode == o.inode;
        }
    };
    static FileStamp stampOf(const QString& absolutePath);

    mutable QSettings::SettingsMap m_map;
    mutable QString m_absolutePath;
    mutable FileStamp m_stamp;
    mutable bool m_loaded = false;
    int m_batchDepth = 0;
    bool m_dirty = false;
    bool m_lastWriteOk = true;
};

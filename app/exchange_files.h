#pragma once
#include <QString>

// Where the profile and macro exchange dialogs open and what they suggest,
// so that an exported file can be found again: every dialog starts in the
// folder of the user's last export or import in this session, else on the
// desktop; a save dialog suggests the entry's name with its extension, and
// a name typed without the extension gets it.
class ExchangeFiles {
public:

    // The folder a dialog starts in.
    QString startFolder() const;
    // The start of a save dialog: the start folder and `name` with
    // `extension` (".pf"), made a valid file name.
    QString suggestedFile(const QString& name, const QString& extension) const;
    // The file the user chose, with `extension` added when its name does
    // not end in it; empty stays empty.
    static QString withExtension(const QString& chosen, const QString& extension);
    // Remembers the folder of a chosen file, or a chosen folder's parent
    // (the next dialog shows that folder again).
    void rememberFile(const QString& chosen);
    void rememberFolder(const QString& chosen);

private:
    QString m_lastFolder;
};

#pragma once
#include <QString>
#include <QStringList>

// The macro selection: the five selected folder names (name1 = a folder at
// level 0, name2 a folder at level 1 inside it, ...) and the macro level, both
// set by the scene before a macro operation. Macro file paths and the name
// index's groups are formed from it. The view owns one and hands it to the
// services that form paths or groups.
class MacroSelection {
public:
    // The five selected folder names, always five entries (empty at start).
    QStringList names() const { return m_names; }
    // Selected folder name k, 1 to 5; empty outside that range.
    QString name(int k) const;
    // The macro level as the scene stored it, and read as an integer (0 when
    // it is not a number).
    QString levelText() const { return m_level; }
    int level() const;

    // Keeps the first five names, filling up with empty ones.
    void setNames(const QStringList& fiveNames);
    void setLevel(const QString& text) { m_level = text; }

    // Directory of the entries at macro level L, ending in "/":
    // "./modules/macro/" followed by name1 ... nameL, each with a "/". Empty
    // for a level outside 0 to 5 (such a level has no entry path).
    QString entryDir(int level) const;

    // Name index groups (names concatenated without a separator):
    // the group holding the children of folder n, n being a folder of level
    // L-1 inside name1 ... name(L-1): name1 + ... + name(L-1) + n;
    QString childGroupOf(int level, const QString& folder) const;
    // the group holding the children of the selected folder nameL:
    // name1 + ... + nameL. Both are empty for L outside 1 to 5.
    QString selectedGroup(int level) const;

private:
    QStringList m_names = QStringList(5, QString());
    QString m_level;
};

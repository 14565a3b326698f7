// What renaming or deleting a library entry does outside the macro library:
// the rename on disk, and the macro bindings of the stored profiles.
#include "macros/macro_library.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/profile_store.h"
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int MacroFileType = 0;
constexpr int ButtonCount = 16;
// Profiles the profile page can hold (profile slots 0 to 5).
constexpr int ListedProfileCount = 6;
// First value of a key-matrix entry that binds a macro.
constexpr int MacroBinding = 4;

// True when `to` names another entry than `from` (a change of letter case
// on a case-insensitive file system is the same entry).
bool takenByAnother(const QString& from, const QString& to)
{
    const QFileInfo target(to);
    if (!target.exists() && !target.isSymLink())
        return false;
    return target.canonicalFilePath() != QFileInfo(from).canonicalFilePath();
}

} // namespace

bool MacroLibrary::renameEntry(const QVariant& macroLevel, const QVariant& macroType, const QVariant& oldname,
                               const QVariant& newname)
{
    const bool macroFile = macroType.toInt() == MacroFileType;
    const QString from = MacroPaths::entryPath(m_selection, macroLevel, oldname.toString(), macroFile);
    const QString to = MacroPaths::entryPath(m_selection, macroLevel, newname.toString(), macroFile);
    if (from.isEmpty() || to.isEmpty()) {
        qDebug() << "modifyMacroNameUpdateProfile refused" << oldname.toString() << "->" << newname.toString();
        return false;
    }
    if (macroFile) {
        if (!QFileInfo(from).isFile() || takenByAnother(from, to))
            return false;
        return renameChecked(from, to);
    }
    if (!QFileInfo(from).isDir()) {
        qDebug() << "========================  rename  = false  ===================================";
        return false;
    }
    qDebug() << "=========  oldfilePathName ==" << from << ",newfilePathName = " << to << ",exist = "
             << "true";
    if (takenByAnother(from, to))
        return false;
    return renameChecked(from, to);
}

void MacroLibrary::unbindFromProfiles(const QVariant& macroName)
{
    const QString name = macroName.toString();
    for (int slot = 0; slot < ListedProfileCount; ++slot) {
        QSettings* profile = m_profiles.slot(slot);
        if (!profile)
            continue;
        for (int k = 0; k < ButtonCount; ++k) {
            const QString key = QStringLiteral("mouseKeyMatrix/%1").arg(k);
            const QVariantList entry = iniList(profile->value(key));
            if (entry.isEmpty() || entry.at(0).toInt() != MacroBinding)
                continue;
            const QString bound = profile->value(QStringLiteral("mouseMacroKey/%1").arg(entry.value(2).toInt())).toString();
            if (bound != name)
                continue;
            // The button gets its factory binding back.
            const QVariant factory = m_profiles.factory().value(key);
            if (factory.isValid())
                profile->setValue(key, factory);
            else
                profile->remove(key);
        }
    }
}

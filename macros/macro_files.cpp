// The macro library's entries: macro files (INI text, ".bin") and folders.
#include "macros/macro_library.h"
#include "macros/folder_removal.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/user_warnings.h"
#include "settings/write_failures.h"
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int MacroFileType = 0;
// A foreign file may claim any number of entries; reading stops here so that
// a damaged count cannot exhaust memory.
constexpr int MaxEntriesRead = 4096;

// An action entry as text. A foreign writer may have stored it unquoted,
// which reads back as a list; its items are joined back together.
QString entryText(const QVariant& v)
{
    if (v.metaType().id() == QMetaType::QStringList || v.metaType().id() == QMetaType::QVariantList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

} // namespace

MacroLibrary::MacroLibrary(ProfileStore& profiles, NameIndex& index, const MacroSelection& selection)
    : m_profiles(profiles), m_index(index), m_selection(selection)
{
}

bool MacroLibrary::createEntry(const QVariant& name, const QVariant& macroIndex, const QVariant& macroLevel,
                               const QVariant& macroType)
{
    const QString n = name.toString();
    if (!MacroPaths::isSafeName(n)) {
        qDebug() << "createMacroIni refused the name" << n;
        return false;
    }
    if (MacroPaths::levelOf(macroLevel) < 0)
        return true;
    MacroPaths::ensureRoot();
    if (macroType.toInt() == MacroFileType) {
        const QString path = MacroPaths::entryPath(m_selection, macroLevel, n, true);
        if (path.isEmpty())
            return false;
        auto ini = openIni(path);
        ini->setValue(QStringLiteral("config/index"), macroIndex.toUInt());
        ini->setValue(QStringLiteral("config/total"), 0);
        ini->setValue(QStringLiteral("config/repeat"), 1);
        ini->setValue(QStringLiteral("config/did"), -1);
        return syncSettings(*ini);
    }
    const QString path = MacroPaths::entryPath(m_selection, macroLevel, n, false);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).isDir()) {
        UserWarnings::show(QStringLiteral("Create folder"), QStringLiteral("Duplicate name\uFF01"));
        return true;
    }
    if (!QDir().mkdir(path)) {
        WriteFailures::record(path, QFileInfo(QFileInfo(path).absolutePath()).isWritable()
                                        ? QStringLiteral("the folder could not be created")
                                        : QStringLiteral("its folder is read-only"));
        return false;
    }
    return true;
}

bool MacroLibrary::saveMacro(const QVariant& macroLevel, const QVariant& name, const QStringList& macros,
                             const QVariant& repeat)
{
    const QString path = MacroPaths::entryPath(m_selection, macroLevel, name.toString(), true);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    auto ini = openIni(path);
    ini->remove(QStringLiteral("macro"));
    ini->setValue(QStringLiteral("config/total"), int(macros.size()));
    ini->setValue(QStringLiteral("config/repeat"), repeat.toInt());
    for (int i = 0; i < macros.size(); ++i)
        ini->setValue(QStringLiteral("macro/%1").arg(i), macros.at(i));
    return syncSettings(*ini);
}

QStringList MacroLibrary::loadMacro(const QVariant& macroLevel, const QVariant& name) const
{
    const QString path = MacroPaths::entryPath(m_selection, macroLevel, name.toString(), true);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QStringList();
    auto ini = openIni(path);
    const int total = qMin(ini->value(QStringLiteral("config/total"), 0).toInt(), MaxEntriesRead);
    QStringList list;
    for (int i = 0; i < total; ++i)
        list << entryText(ini->value(QStringLiteral("macro/%1").arg(i), QStringLiteral("0")));
    list << ini->value(QStringLiteral("config/repeat"), QStringLiteral("0")).toString();
    return list;
}

bool MacroLibrary::deleteEntry(const QVariant& macroLevel, const QVariant& macroType, const QVariant& name)
{
    const bool macroFile = macroType.toInt() == MacroFileType;
    const QString path = MacroPaths::entryPath(m_selection, macroLevel, name.toString(), macroFile);
    if (path.isEmpty()) {
        qDebug() << "deleteMacroIni: no library entry for" << name.toString() << "at level" << macroLevel.toString();
        return false;
    }
    if (macroFile) {
        const QFileInfo file(path);
        if (!file.exists() && !file.isSymLink())
            return false;
        return QFile::remove(path);
    }
    // A folder delete reports true whatever resists removal; what could not
    // be removed stays on disk with the folders above it.
    if (QFileInfo(path).isDir() || QFileInfo(path).isSymLink())
        FolderRemoval::removeFolderTree(path, FolderRemoval::mayRemove);
    return true;
}

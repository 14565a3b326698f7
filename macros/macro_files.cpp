// The macro library on disk: macro files (INI text, ".bin") and folders.
#include "app/myqquickview.h"
#include "app/user_dialogs.h"
#include "macros/macro_library.h"
#include "macros/folder_removal.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
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

bool myQQuickView::isMacroNameAllowed(QVariant name)
{
    return MacroLibrary::isSafeName(name.toString());
}

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex, QVariant macroLevel, QVariant macroType)
{
    const QString n = name.toString();
    if (!MacroLibrary::isSafeName(n)) {
        qDebug() << "createMacroIni refused the name" << n;
        return false;
    }
    if (MacroLibrary::levelOf(macroLevel) < 0)
        return true;
    MacroLibrary::ensureRoot();
    if (macroType.toInt() == MacroFileType) {
        const QString path = MacroLibrary::entryPath(macroLevel, n, true);
        if (path.isEmpty())
            return false;
        auto ini = openIni(path);
        ini->setValue(QStringLiteral("config/index"), macroIndex.toUInt());
        ini->setValue(QStringLiteral("config/total"), 0);
        ini->setValue(QStringLiteral("config/repeat"), 1);
        ini->setValue(QStringLiteral("config/did"), -1);
        return syncSettings(*ini);
    }
    const QString path = MacroLibrary::entryPath(macroLevel, n, false);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).isDir()) {
        UserDialogs::current().warning(this, QStringLiteral("Create folder"),
                                       QStringLiteral("Duplicate name\uFF01"));
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

QVariant myQQuickView::saveMacroIni(QVariant macroLevel, QVariant name, QStringList macros, QVariant repeat)
{
    const QString path = MacroLibrary::entryPath(macroLevel, name.toString(), true);
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

QStringList myQQuickView::loadMacroIni(QVariant macroLevel, QVariant name)
{
    const QString path = MacroLibrary::entryPath(macroLevel, name.toString(), true);
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

QVariant myQQuickView::deleteMacroIni(QVariant macroLevel, QVariant macroType, QVariant name)
{
    const bool macroFile = macroType.toInt() == MacroFileType;
    const QString path = MacroLibrary::entryPath(macroLevel, name.toString(), macroFile);
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
        MacroLibrary::removeFolderTree(path, MacroLibrary::mayRemove);
    return true;
}

// Macro exchange files (".mc", byte copies of macro files): single import
// and export through file dialogs, batch import of a directory tree as a new
// top-level folder, batch export of the library, and the library scan that
// lists a folder tree and clears its name-index sub-lists.
#include "app/myqquickview.h"
#include "app/user_dialogs.h"
#include "macros/macro_library.h"
#include "settings/file_replace.h"
#include "settings/import_limit.h"
#include "settings/name_index.h"
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <functional>

namespace {

const QString ExchangeFilter = QStringLiteral("Macro(*.mc)");

// Process-wide state of the exchange operations.
struct ExchangeState {
    QString batchPath;   // directory of the last batch import
    QString exportRoot;  // "Macro" inside the directory of the last batch export
    // Names found by the last batch import or library scan, per depth 1..5
    // and type (0 macro files, 1 folders); depth 5 holds macro files only.
    QStringList lists[MacroLibrary::MaxLevel + 1][2];
    // Names the last import passed over (as found on disk).
    QStringList refused;

    void clearLists()
    {
        for (auto& perDepth : lists) {
            perDepth[0].clear();
            perDepth[1].clear();
        }
    }
};

ExchangeState& state()
{
    static ExchangeState s;
    return s;
}

QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

// The name of a directory chosen in a dialog: its last component, up to the
// first dot.
QString chosenDirectoryName(const QString& path)
{
    return MacroLibrary::baseName(QDir::cleanPath(path));
}

// Copies a file over whatever the target holds, all or nothing; a failed
// write keeps the target as it was and is reported to the user.
bool copyReplacingTarget(const QString& from, const QString& to)
{
    QByteArray bytes;
    return readWholeFile(from, bytes) && writeFileAtomically(to, bytes);
}

// Copies a file unless the target exists (an import never replaces a macro).
bool copyKeepingTarget(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return false;
    return copyReplacingTarget(from, to);
}

// The walk shared by batch import and library scan: in `dir` at depth k,
// files matching `pattern` (in any case: "*.mc" also finds "A.MC") sorted
// without regard to case, then (unless k is 5) each subdirectory sorted the
// same way, walked depth first. Names that cannot be library entries are
// passed over and handed to `refused`.
struct TreeWalk {
    QString pattern;
    // `dir` is the folder walked, `context` what the caller handed to it,
    // `entry` the file's name as found there.
    std::function<void(int depth, const QString& dir, const QString& context, const QString& name,
                       const QString& entry)> file;
    std::function<void(const QString& entry)> refused = [](const QString&) {};
    // Returns the context handed to the folder's own walk.
    std::function<QString(int depth, const QString& context, const QString& name)> folder;

    void walk(const QString& dir, const QString& context, int depth) const
    {
        const QDir d(dir);
        const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
        // Without QDir::CaseSensitive the name filter ignores case.
        for (const QString& entry : d.entryList({pattern}, QDir::Files, order)) {
            const QString name = MacroLibrary::baseName(entry);
            if (!MacroLibrary::isSafeName(name)) {
                qDebug() << "macro exchange: passed over the file" << d.filePath(entry);
                refused(entry);
                continue;
            }
            file(depth, dir, context, name, entry);
        }
        if (depth >= MacroLibrary::MaxLevel)
            return;
        for (const QString& entry : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, order)) {
            const QString name = MacroLibrary::baseName(entry);
            if (!MacroLibrary::isSafeName(name)) {
                qDebug() << "macro exchange: passed over the folder" << d.filePath(entry);
                refused(entry);
                continue;
            }
            // The walk goes on in the folder of the listed (base) name.
            walk(d.filePath(name), folder(depth, context, name), depth + 1);
        }
    }
};

} // namespace

QString myQQuickView::loadMacroFile(QVariant macroLevel, QVariant selectType)
{
    const QString chosen = UserDialogs::current().openFileName(this, QStringLiteral("Open File"), desktop(),
                                                               ExchangeFilter);
    if (chosen.isEmpty())
        return QString();
    state().refused.clear();
    const QString name = MacroLibrary::baseName(chosen);
    if (!MacroLibrary::isSafeName(name)) {
        qDebug() << "loadMacroFile refused the name of" << chosen;
        state().refused << QFileInfo(chosen).fileName();
        return QString();
    }
    if (!ImportLimit::allowsOrWarn(chosen, this))
        return QString();
    // A macro goes into the selected folder, or the library root when a
    // macro file or nothing is selected.
    MacroLibrary::ensureRoot();
    QString folder;
    const int level = macroLevel.toInt();
    if (selectType.toInt() == 0 || level == -1)
        folder = MacroLibrary::rootPath();
    else if (level >= 0 && level < MacroLibrary::MaxLevel)
        folder = MacroLibrary::selectedFolderPath(level + 1);
    if (!folder.isEmpty())
        copyKeepingTarget(chosen, folder + name + QStringLiteral(".bin"));
    return name;
}

void myQQuickView::saveMacroFile(QVariant macroLevel, QVariant macroName)
{
    const QString chosen = UserDialogs::current().saveFileName(this, QStringLiteral("Save File"), desktop(),
                                                               ExchangeFilter);
    if (chosen.isEmpty())
        return;
    const QString source = MacroLibrary::entryPath(macroLevel, macroName.toString(), true);
    if (source.isEmpty() || !QFileInfo(source).isFile())
        return;
    // The dialog has asked before replacing an existing file.
    if (QFileInfo(chosen).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        return;
    copyReplacingTarget(source, chosen);
}

QString myQQuickView::loadMacroFile_batch()
{
    ExchangeState& s = state();
    s.batchPath.clear();
    s.refused.clear();
    const QString chosen = UserDialogs::current().existingDirectory(this, QStringLiteral("Open Directory"), desktop());
    const QString name = chosenDirectoryName(chosen);
    if (chosen.isEmpty() || name == QLatin1String("Desktop"))
        return QString();
    if (!MacroLibrary::isSafeName(name)) {
        qDebug() << "loadMacroFile_batch refused the name of" << chosen;
        s.refused << QFileInfo(QDir::cleanPath(chosen)).fileName();
        return QString();
    }
    s.batchPath = chosen;
    MacroLibrary::ensureRoot();
    QDir().mkdir(MacroLibrary::rootPath() + name);
    return name;
}

void myQQuickView::loadMacroFile_sub_batch()
{
    ExchangeState& s = state();
    s.clearLists();
    if (s.batchPath.isEmpty())
        return;
    TreeWalk walk;
    walk.pattern = QStringLiteral("*.mc");
    // The context is the library folder that receives the folder's content.
    QStringList tooLarge;
    walk.file = [&s, &tooLarge](int depth, const QString& dir, const QString& target, const QString& name,
                                const QString& entry) {
        const QString source = dir + QLatin1Char('/') + entry;
        if (!ImportLimit::allows(source)) {
            tooLarge << source;
            return;
        }
        s.lists[depth][0] << name;
        // The file as found: "A.MC" is copied as well as "A.mc".
        copyKeepingTarget(source, target + QLatin1Char('/') + name + QStringLiteral(".bin"));
    };
    walk.refused = [&s](const QString& entry) { s.refused << entry; };
    walk.folder = [&s](int depth, const QString& target, const QString& name) {
        s.lists[depth][1] << name;
        QDir().mkdir(target + QLatin1Char('/') + name);
        return target + QLatin1Char('/') + name;
    };
    walk.walk(s.batchPath, MacroLibrary::rootPath() + chosenDirectoryName(s.batchPath), 1);
    // One message for the whole batch, naming the first file refused.
    if (!tooLarge.isEmpty()) {
        QString text = ImportLimit::refusalText(tooLarge.first());
        if (tooLarge.size() > 1)
            text += QStringLiteral(" %1 more files were not imported for the same reason.").arg(tooLarge.size() - 1);
        UserDialogs::current().warning(this, QStringLiteral("Import"), text);
    }
}

QStringList myQQuickView::getMacroFileName_batch(QVariant macroLevel, QVariant macroType)
{
    const int level = macroLevel.toInt();
    const int type = macroType.toInt() == 0 ? 0 : 1;
    if (level < 1 || level > MacroLibrary::MaxLevel || (level == MacroLibrary::MaxLevel && type == 1))
        return QStringList();
    return state().lists[level][type];
}

void myQQuickView::getbatchPath()
{
    ExchangeState& s = state();
    s.exportRoot = UserDialogs::current().existingDirectory(this, QStringLiteral("Save File"), desktop());
    if (s.exportRoot.isEmpty())
        return;
    QDir(s.exportRoot).mkdir(QStringLiteral("Macro"));
    s.exportRoot += QStringLiteral("/Macro");
}

void myQQuickView::saveMacroFile_batch(QVariant macroLevel, QVariantList macroFileName, QVariantList macroFileType)
{
    const ExchangeState& s = state();
    const int level = MacroLibrary::levelOf(macroLevel);
    if (s.exportRoot.isEmpty() || level < 0)
        return;
    const QString libraryFolder = MacroLibrary::selectedFolderPath(level);
    if (libraryFolder.isEmpty())
        return;
    // The same folder chain below the export root.
    const QString chain = libraryFolder.mid(MacroLibrary::rootPath().size());
    const QString exportFolder = s.exportRoot + QLatin1Char('/') + chain;
    for (int i = 0; i < macroFileName.size(); ++i) {
        const QString name = macroFileName.at(i).toString();
        if (!MacroLibrary::isSafeName(name))
            continue;
        const int type = macroFileType.value(i).toInt();
        if (type == 0)
            copyReplacingTarget(libraryFolder + name + QStringLiteral(".bin"), exportFolder + name + QStringLiteral(".mc"));
        else if (type == 1)
            QDir().mkdir(exportFolder + name);
    }
}

void myQQuickView::searchMacroFile_sub_batch(QVariant currentName, QVariant currentLevel, QVariant deleteLevel)
{
    ExchangeState& s = state();
    // Whatever the request, the lists no longer hold an earlier walk's names.
    s.clearLists();
    const int level = MacroLibrary::levelOf(currentLevel);
    if (level < 0 || level >= MacroLibrary::MaxLevel)
        return;
    const QString start = MacroLibrary::entryPath(level, currentName.toString(), false);
    if (start.isEmpty())
        return;
    const QString top = MacroLibrary::baseName(start);
    const int d = deleteLevel.toInt();
    // Every sub-list the scan removes goes to the index file in one write.
    const NameIndex::Batch oneWrite;
    if (d <= 0)
        updataMacroList_delOld(top);
    TreeWalk walk;
    walk.pattern = QStringLiteral("*.bin");
    walk.file = [&s](int depth, const QString&, const QString&, const QString& name, const QString&) {
        s.lists[depth][0] << name;
    };
    walk.folder = [this, &s, d](int depth, const QString& treePath, const QString& name) {
        s.lists[depth][1] << name;
        if (depth >= d && depth <= 4)
            updataMacroList_delOld(treePath + name);
        return treePath + name;
    };
    walk.walk(start, top, 1);
}

QStringList myQQuickView::getRefusedImportNames()
{
    return state().refused;
}

// Macro exchange files (".mc", byte copies of macro files): single import
// and export of files the user chose, batch import of a directory tree as a new
// top-level folder, batch export of the library, and the library scan that
// lists a folder tree and clears its name-index sub-lists.
#include "macros/macro_library.h"
#include "settings/file_replace.h"
#include "settings/import_limit.h"
#include "settings/name_index.h"
#include "settings/user_files.h"
#include "settings/user_warnings.h"
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

namespace {

// The name of a directory chosen in a dialog: its last component, up to the
// first dot.
QString chosenDirectoryName(const QString& path)
{
    return MacroPaths::baseName(QDir::cleanPath(path));
}

// Copies a library file to a file the user chose (the save dialog asked
// before replacing one); a failed write keeps the target as it was and is
// reported to the user.
bool exportCopy(const QString& from, const QString& to)
{
    QByteArray bytes;
    return readWholeFile(from, bytes) && UserFiles::exportOrWarn(to, bytes);
}

// Writes imported bytes into the library unless the target exists (an
// import never replaces a macro).
bool writeKeepingTarget(const QByteArray& bytes, const QString& to)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return false;
    return writeFileAtomically(to, bytes);
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
            const QString name = MacroPaths::baseName(entry);
            if (!MacroPaths::isSafeName(name)) {
                qDebug() << "macro exchange: passed over the file" << d.filePath(entry);
                refused(entry);
                continue;
            }
            file(depth, dir, context, name, entry);
        }
        if (depth >= MacroPaths::MaxLevel)
            return;
        for (const QString& entry : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, order)) {
            const QString name = MacroPaths::baseName(entry);
            if (!MacroPaths::isSafeName(name)) {
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

void MacroLibrary::clearBatchNames()
{
    for (auto& perDepth : m_batchNames) {
        perDepth[0].clear();
        perDepth[1].clear();
    }
}

QString MacroLibrary::importFile(const QString& chosen, const QVariant& macroLevel, const QVariant& selectType)
{
    if (chosen.isEmpty())
        return QString();
    m_refused.clear();
    const QString name = MacroPaths::baseName(chosen);
    if (!MacroPaths::isSafeName(name)) {
        qDebug() << "loadMacroFile refused the name of" << chosen;
        m_refused << QFileInfo(chosen).fileName();
        return QString();
    }
    QByteArray bytes;
    if (!ImportLimit::readOrWarn(chosen, bytes))
        return QString();
    // A macro goes into the selected folder, or the library root when a
    // macro file or nothing is selected.
    MacroPaths::ensureRoot();
    QString folder;
    const int level = macroLevel.toInt();
    if (selectType.toInt() == 0 || level == -1)
        folder = MacroPaths::rootPath();
    else if (level >= 0 && level < MacroPaths::MaxLevel)
        folder = MacroPaths::selectedFolderPath(m_selection, level + 1);
    if (!folder.isEmpty())
        writeKeepingTarget(bytes, folder + name + QStringLiteral(".bin"));
    return name;
}

void MacroLibrary::exportFile(const QString& chosen, const QVariant& macroLevel, const QVariant& macroName)
{
    if (chosen.isEmpty())
        return;
    const QString source = MacroPaths::entryPath(m_selection, macroLevel, macroName.toString(), true);
    if (source.isEmpty() || !QFileInfo(source).isFile())
        return;
    // The dialog has asked before replacing an existing file.
    if (QFileInfo(chosen).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        return;
    exportCopy(source, chosen);
}

QString MacroLibrary::beginBatchImport(const QString& chosen)
{
    m_batchPath.clear();
    m_refused.clear();
    m_unreadableFolder.clear();
    const QString name = chosenDirectoryName(chosen);
    if (chosen.isEmpty() || name == QLatin1String("Desktop"))
        return QString();
    // A folder that cannot be listed would become an empty library folder
    // with nothing said; the user is told instead and nothing is made.
    const QFileInfo folder(chosen);
    if (!folder.isDir() || !folder.isReadable() || !folder.isExecutable()) {
        qDebug() << "loadMacroFile_batch cannot read" << chosen;
        m_unreadableFolder = QDir::toNativeSeparators(QDir::cleanPath(chosen));
        return QString();
    }
    if (!MacroPaths::isSafeName(name)) {
        qDebug() << "loadMacroFile_batch refused the name of" << chosen;
        m_refused << QFileInfo(QDir::cleanPath(chosen)).fileName();
        return QString();
    }
    m_batchPath = chosen;
    MacroPaths::ensureRoot();
    QDir().mkdir(MacroPaths::rootPath() + name);
    return name;
}

void MacroLibrary::runBatchImport()
{
    clearBatchNames();
    if (m_batchPath.isEmpty())
        return;
    TreeWalk walk;
    walk.pattern = QStringLiteral("*.mc");
    // The context is the library folder that receives the folder's content.
    QStringList tooLarge;
    walk.file = [this, &tooLarge](int depth, const QString& dir, const QString& target, const QString& name,
                                const QString& entry) {
        const QString source = dir + QLatin1Char('/') + entry;
        QByteArray bytes;
        switch (UserFiles::readImport(source, ImportLimit::MaxBytes, bytes)) {
        case UserFiles::Read::TooLarge:
            tooLarge << source;
            return;
        case UserFiles::Read::NotRegular:
        case UserFiles::Read::Unreadable:
            qDebug() << "macro exchange: passed over the file" << source;
            return;
        case UserFiles::Read::Ok:
            break;
        }
        m_batchNames[depth][0] << name;
        // The file as found: "A.MC" is copied as well as "A.mc".
        writeKeepingTarget(bytes, target + QLatin1Char('/') + name + QStringLiteral(".bin"));
    };
    walk.refused = [this](const QString& entry) { m_refused << entry; };
    walk.folder = [this](int depth, const QString& target, const QString& name) {
        m_batchNames[depth][1] << name;
        QDir().mkdir(target + QLatin1Char('/') + name);
        return target + QLatin1Char('/') + name;
    };
    walk.walk(m_batchPath, MacroPaths::rootPath() + chosenDirectoryName(m_batchPath), 1);
    // One message for the whole batch, naming the first file refused.
    if (!tooLarge.isEmpty()) {
        QString text = ImportLimit::refusalText(tooLarge.first());
        if (tooLarge.size() > 1)
            text += QStringLiteral(" %1 more files were not imported for the same reason.").arg(tooLarge.size() - 1);
        UserWarnings::show(QStringLiteral("Import"), text);
    }
}

QStringList MacroLibrary::batchNames(const QVariant& macroLevel, const QVariant& macroType) const
{
    const int level = macroLevel.toInt();
    const int type = macroType.toInt() == 0 ? 0 : 1;
    if (level < 1 || level > MacroPaths::MaxLevel || (level == MacroPaths::MaxLevel && type == 1))
        return QStringList();
    return m_batchNames[level][type];
}

void MacroLibrary::setExportRoot(const QString& chosen)
{
    m_exportRoot = chosen;
    if (m_exportRoot.isEmpty())
        return;
    QDir(m_exportRoot).mkdir(QStringLiteral("Macro"));
    m_exportRoot += QStringLiteral("/Macro");
}

void MacroLibrary::exportEntries(const QVariant& macroLevel, const QVariantList& macroFileName,
                                 const QVariantList& macroFileType)
{
    const int level = MacroPaths::levelOf(macroLevel);
    if (m_exportRoot.isEmpty() || level < 0)
        return;
    const QString libraryFolder = MacroPaths::selectedFolderPath(m_selection, level);
    if (libraryFolder.isEmpty())
        return;
    // The same folder chain below the export root.
    const QString chain = libraryFolder.mid(MacroPaths::rootPath().size());
    const QString exportFolder = m_exportRoot + QLatin1Char('/') + chain;
    for (int i = 0; i < macroFileName.size(); ++i) {
        const QString name = macroFileName.at(i).toString();
        if (!MacroPaths::isSafeName(name))
            continue;
        const int type = macroFileType.value(i).toInt();
        if (type == 0)
            exportCopy(libraryFolder + name + QStringLiteral(".bin"), exportFolder + name + QStringLiteral(".mc"));
        else if (type == 1)
            QDir().mkdir(exportFolder + name);
    }
}

void MacroLibrary::scanFolder(const QVariant& currentName, const QVariant& currentLevel, const QVariant& deleteLevel)
{
    // Whatever the request, the lists no longer hold an earlier walk's names.
    clearBatchNames();
    const int level = MacroPaths::levelOf(currentLevel);
    if (level < 0 || level >= MacroPaths::MaxLevel)
        return;
    const QString start = MacroPaths::entryPath(m_selection, level, currentName.toString(), false);
    if (start.isEmpty())
        return;
    const QString top = MacroPaths::baseName(start);
    const int d = deleteLevel.toInt();
    // Every sub-list the scan removes goes to the index file in one write.
    const NameIndex::Batch oneWrite;
    if (d <= 0)
        m_index.removeMacroList(top);
    TreeWalk walk;
    walk.pattern = QStringLiteral("*.bin");
    walk.file = [this](int depth, const QString&, const QString&, const QString& name, const QString&) {
        m_batchNames[depth][0] << name;
    };
    walk.folder = [this, d](int depth, const QString& treePath, const QString& name) {
        m_batchNames[depth][1] << name;
        if (depth >= d && depth <= 4)
            m_index.removeMacroList(treePath + name);
        return treePath + name;
    };
    walk.walk(start, top, 1);
}

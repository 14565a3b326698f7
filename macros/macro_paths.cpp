#include "macros/macro_paths.h"
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace MacroPaths {

QString rootPath()
{
    return QStringLiteral("./modules/macro/");
}

void ensureRoot()
{
    QDir().mkpath(rootPath());
}

bool isSafeName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
        switch (c.unicode()) {
        case '/': case '\\': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        // Separators of the name index's lists.
        case ',': case ';': case '=':
            return false;
        default:
            break;
        }
    }
    // Names that one of the supported file systems silently changes or
    // reserves for devices.
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')) || name.startsWith(QLatin1Char(' ')))
        return false;
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        return false;
    // A file name holds 255 bytes. Macro files add ".bin", and their writes
    // go through a temporary and a lock file with longer names still.
    return name.toUtf8().size() <= 240;
}

bool isNewEntryName(const QString& name)
{
    return isSafeName(name) && !name.contains(QLatin1Char('.'));
}

int levelOf(const QVariant& level)
{
    bool ok = false;
    const int l = level.toInt(&ok);
    return ok && l >= 0 && l <= MaxLevel ? l : -1;
}

QString selectedFolderPath(const MacroSelection& selection, int depth)
{
    if (depth < 0 || depth > MaxLevel)
        return QString();
    const QStringList names = selection.names();
    QString path = rootPath();
    for (int k = 0; k < depth; ++k) {
        const QString n = names.value(k);
        if (!isSafeName(n))
            return QString();
        path += n + QLatin1Char('/');
    }
    return path;
}

QString entryPath(const MacroSelection& selection, const QVariant& level, const QString& name, bool macroFile)
{
    const int l = levelOf(level);
    if (l < 0 || !isSafeName(name))
        return QString();
    const QString folder = selectedFolderPath(selection, l);
    if (folder.isEmpty())
        return QString();
    return folder + name + (macroFile ? QStringLiteral(".bin") : QString());
}

QString baseName(const QString& path)
{
    return QFileInfo(path).fileName().section(QLatin1Char('.'), 0, 0);
}

}

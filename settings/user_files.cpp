#include "settings/user_files.h"
#include "settings/file_faults.h"
#include "settings/user_warnings.h"
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace UserFiles {

#ifdef Q_OS_UNIX
namespace {

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Writes all of content to fd, honouring the planned write faults.
bool writeAll(int fd, const QByteArray& content, QString& reason)
{
    if (FileFaults::failsNow(FileFaults::Step::Write, reason))
        return false;
    qint64 done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason = systemReason();
            return false;
        }
        done += n;
    }
    if (FileFaults::failsNow(FileFaults::Step::Flush, reason))
        return false;
    if (::fsync(fd) != 0 && errno != EINVAL) {
        reason = systemReason();
        return false;
    }
    return true;
}

bool createNew(const QByteArray& name, const QByteArray& content, QString& reason)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        reason = errno == EEXIST ? QStringLiteral("it already exists") : systemReason();
        return false;
    }
    bool ok = writeAll(fd, content, reason);
    if (::close(fd) != 0 && ok) {
        reason = systemReason();
        ok = false;
    }
    if (ok && (FileFaults::failsNow(FileFaults::Step::Commit, reason)
               || FileFaults::failsNow(FileFaults::Step::Rename, reason)))
        ok = false;
    if (!ok)
        ::unlink(name.constData());  // the file this call created, never another
    return ok;
}

bool replaceExisting(const QString& path, mode_t mode, const QByteArray& content, QString& reason)
{
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QLatin1String("/.") + target.fileName() + QLatin1String(".XXXXXX"));
    if (!temp.open()) {
        reason = temp.errorString();
        return false;
    }
    const int fd = int(temp.handle());
    if (!writeAll(fd, content, reason))
        return false;
    if (::fchmod(fd, mode & 07777) != 0) {
        reason = systemReason();
        return false;
    }
    if (FileFaults::failsNow(FileFaults::Step::Commit, reason)
        || FileFaults::failsNow(FileFaults::Step::Rename, reason))
        return false;
    // rename() replaces whatever has the name now, a link included; it
    // never writes through one.
    if (::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        reason = systemReason();
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

} // namespace

Read readImport(const QString& path, qint64 maxBytes, QByteArray& content)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    // Refused by name first, so that opening a device has no effect; then
    // by what was opened, which a swapped name cannot change.
    if (::stat(name.constData(), &st) != 0)
        return Read::Unreadable;
    if (!S_ISREG(st.st_mode))
        return Read::NotRegular;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Read::Unreadable;
    Read result = Read::Ok;
    if (::fstat(fd, &st) != 0) {
        result = Read::Unreadable;
    } else if (!S_ISREG(st.st_mode)) {
        result = Read::NotRegular;
    } else {
        QByteArray bytes;
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                result = Read::Unreadable;
                break;
            }
            if (n == 0)
                break;
            bytes.append(buffer, n);
            if (bytes.size() > maxBytes) {
                result = Read::TooLarge;
                break;
            }
        }
        // A file of /proc or /sys says it is empty and yet has content: it is
        // made up by the system as it is read, not a file the user keeps.
        if (result == Read::Ok && bytes.size() != st.st_size)
            result = Read::NotRegular;
        if (result == Read::Ok)
            content = bytes;
    }
    ::close(fd);
    return result;
}

QString exportRefusal(const QString& path, bool mayReplace)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();  // a new file
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("it is a symbolic link");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("it is a folder");
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("it is not a regular file");
    if (!mayReplace)
        return QStringLiteral("it already exists");
    return QString();
}

bool writeExport(const QString& path, const QByteArray& content, bool mayReplace, QString& reason)
{
    reason = exportRefusal(path, mayReplace);
    if (!reason.isEmpty())
        return false;
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::lstat(name.constData(), &st) != 0)
        return createNew(name, content, reason);
    return replaceExisting(path, st.st_mode, content, reason);
}

bool holds(const QString& path, const QByteArray& expected)
{
    QByteArray content;
    return readImport(path, expected.size(), content) == Read::Ok && content == expected;
}
#else
Read readImport(const QString& path, qint64 maxBytes, QByteArray& content)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return Read::NotRegular;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Read::Unreadable;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return Read::TooLarge;
    if (file.error() != QFileDevice::NoError)
        return Read::Unreadable;
    content = bytes;
    return Read::Ok;
}

QString exportRefusal(const QString& path, bool mayReplace)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("it is a symbolic link");
    if (!info.exists())
        return QString();
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (!info.isFile())
        return QStringLiteral("it is not a regular file");
    return mayReplace ? QString() : QStringLiteral("it already exists");
}

bool writeExport(const QString& path, const QByteArray& content, bool mayReplace, QString& reason)
{
    reason = exportRefusal(path, mayReplace);
    if (!reason.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | (mayReplace ? QIODevice::Truncate : QIODevice::NewOnly))
        || file.write(content) != content.size() || !file.flush()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

bool holds(const QString& path, const QByteArray& expected)
{
    QByteArray content;
    return readImport(path, expected.size(), content) == Read::Ok && content == expected;
}
#endif

bool exportOrWarn(const QString& path, const QByteArray& content)
{
    QString reason;
    if (writeExport(path, content, true, reason))
        return true;
    // Every export the user asks for is answered, not once per file as the
    // program's own settings files are.
    qWarning().noquote() << "export failed:" << path << "-" << reason;
    UserWarnings::show(QStringLiteral("Export"),
                       QStringLiteral("%1 was not written: %2.").arg(QDir::toNativeSeparators(path), reason));
    return false;
}

} // namespace UserFiles

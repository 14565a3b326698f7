// The name index file held in memory: reading, change detection and writing.
#include "settings/name_index.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>


QString NameIndex::path()
{
    return QStringLiteral("./modules/setting/name.bin");
}

QString NameIndex::sentinel()
{
    return QStringLiteral("emptyslotkey");
}

NameIndex& NameIndex::instance()
{
    static NameIndex index;
    index.ensureCurrent();
    return index;
}

NameIndex::FileStamp NameIndex::stampOf(const QString& absolutePath)
{
    FileStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(absolutePath).constData(), &st) == 0) {
        stamp.exists = true;
        stamp.size = qint64(st.st_size);
        stamp.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        stamp.inode = quint64(st.st_ino);
    }
    return stamp;
}

// Reads the file again when the working directory has changed or the file is
// not the one last read or written (its size, time or inode differ).
void NameIndex::ensureCurrent() const
{
    const QString absolutePath = QDir::current().absoluteFilePath(path());
    const FileStamp stamp = stampOf(absolutePath);
    if (m_loaded && absolutePath == m_absolutePath && stamp == m_stamp)
        return;
    m_absolutePath = absolutePath;
    m_stamp = stamp;
    m_map.clear();
    m_loaded = true;
    QByteArray text;
    if (stamp.exists && readWholeFile(absolutePath, text))
        IniText::read(text, m_map);
}

QVariant NameIndex::value(const QString& key) const
{
    ensureCurrent();
    return m_map.value(key);
}

const QSettings::SettingsMap& NameIndex::entries() const
{
    ensureCurrent();
    return m_map;
}

void NameIndex::setValue(const QString& key, const QVariant& value)
{
    ensureCurrent();
    const auto it = m_map.constFind(key);
    if (it != m_map.constEnd() && it.value() == value && it.value().typeId() == value.typeId())
        return;
    m_map.insert(key, value);
    changed();
}

void NameIndex::remove(const QString& key)
{
    ensureCurrent();
    const QString below = key + QLatin1Char('/');
    bool removed = m_map.remove(key) > 0;
    for (auto it = m_map.lowerBound(below); it != m_map.end() && it.key().startsWith(below);) {
        it = m_map.erase(it);
        removed = true;
    }
    if (removed)
        changed();
}

void NameIndex::changed()
{
    m_dirty = true;
    if (m_batchDepth == 0)
        writeBack();
}

void NameIndex::writeBack()
{
    m_dirty = false;
    m_lastWriteOk = writeFileAtomically(m_absolutePath, IniText::write(m_map));
    if (!m_lastWriteOk) {
        // The file kept its old content: read it again rather than go on
        // showing changes that were never saved.
        qDebug() << "Cannot write" << path();
        m_loaded = false;
        return;
    }
    m_stamp = stampOf(m_absolutePath);
}

NameIndex::Batch::Batch()
{
    ++instance().m_batchDepth;
}

NameIndex::Batch::~Batch()
{
    NameIndex& index = instance();
    if (--index.m_batchDepth == 0 && index.m_dirty)
        index.writeBack();
}

// The name index: ordered name lists and the macro tree's attribute lists.
#include "settings/name_index.h"
#include "app/myqquickview.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/macro_selection.h"
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

namespace {
// The ten attribute keys of one level list, in the order they are handled.
const char* const kAttributes[] = {"macroName", "macroType", "showImg", "txtMargin", "level",
                                   "no0",       "no1",       "no2",     "no3",       "no4"};

// Attribute index (into kAttributes) for each att of getMacroList_Att and of
// getMacroSubList_Att.
const int kTopLevelAtt[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
const int kSubListAtt[] = {1, 2, 3, 4, 0, 5, 6, 7, 8, 9};

QString nameListKey(int type)
{
    switch (type) {
    case 0: return QStringLiteral("macro/macroName");
    case 1: return QStringLiteral("gun/gunName");
    case 2: return QStringLiteral("profile/profileName");
    case 3: return QStringLiteral("gun/selectGun");
    default: return QString();
    }
}

// A group's key path; an empty group leaves the bare attribute name, which
// lives in the section General.
QString keyIn(const QString& group, const char* attribute)
{
    const QString name = QLatin1String(attribute);
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

void removeLevelList(NameIndex& index, const QString& group)
{
    for (const char* attribute : kAttributes)
        index.remove(keyIn(group, attribute));
}

// Stores the ten lists under group; empty lists remove their key unless
// keepEmpty is set.
void storeLevelList(NameIndex& index, const QString& group, const QStringList (&lists)[10], bool keepEmpty)
{
    for (int a = 0; a < 10; ++a) {
        const QString key = keyIn(group, kAttributes[a]);
        if (lists[a].isEmpty() && !keepEmpty)
            index.remove(key);
        else
            index.setValue(key, lists[a]);
    }
}

QStringList withSentinel(QStringList list)
{
    if (list.size() == 1)
        list.append(NameIndex::sentinel());
    return list;
}
} // namespace

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

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    bool ok = false;
    const QString key = nameListKey(type.toInt(&ok));
    if (!ok || key.isEmpty())
        return QVariant(true);
    {
        const NameIndex::Batch oneWrite;
        NameIndex& index = NameIndex::instance();
        if (nameList.isEmpty())
            index.remove(key);
        else
            index.setValue(key, withSentinel(nameList));
    }
    return QVariant(NameIndex::instance().lastWriteSucceeded());
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    bool ok = false;
    const QString key = nameListKey(type.toInt(&ok));
    if (!ok || key.isEmpty())
        return QVariantList();
    return iniList(NameIndex::instance().value(key));
}

QVariant myQQuickView::getMacroList_Att(int att)
{
    if (att < 0 || att >= int(std::size(kTopLevelAtt)))
        return QVariant(QVariantList());
    NameIndex& index = NameIndex::instance();
    return QVariant(iniList(index.value(keyIn(QStringLiteral("macro"), kAttributes[kTopLevelAtt[att]]))));
}

QVariant myQQuickView::getMacroSubList_Att(int att, QVariant name)
{
    if (att < 0 || att >= int(std::size(kSubListAtt)))
        return QVariant(QVariantList());
    const QString group = MacroSelection::childGroupOf(MacroSelection::level(), name.toString());
    NameIndex& index = NameIndex::instance();
    return QVariant(iniList(index.value(keyIn(group, kAttributes[kSubListAtt[att]]))));
}

QVariant myQQuickView::updataMacroList(QVariant att, QVariant macroLevel, QVariant currentName, QStringList nameList,
                                       QStringList typeList, QStringList showImg, QStringList txtMargin,
                                       QStringList level, QStringList no0, QStringList no1, QStringList no2,
                                       QStringList no3, QStringList no4)
{
    qDebug() << "=========================== updataMacroList =====================================";
    qDebug().noquote() << QStringLiteral("nameList = ") + nameList.join(QLatin1Char(' '));
    const QStringList lists[10] = {withSentinel(nameList),  withSentinel(typeList), withSentinel(showImg),
                                   withSentinel(txtMargin), withSentinel(level),    withSentinel(no0),
                                   withSentinel(no1),       withSentinel(no2),      withSentinel(no3),
                                   withSentinel(no4)};
    const int L = macroLevel.toInt();
    const QString name = currentName.toString();
    // Stores a list of level L: under the selected folder's group, or the
    // top-level keys for level 0.
    auto storeLevel = [&](NameIndex& index) {
        storeLevelList(index, L != 0 ? MacroSelection::selectedGroup(L) : QStringLiteral("macro"), lists, false);
    };

    {
        const NameIndex::Batch oneWrite;
        NameIndex& index = NameIndex::instance();
        switch (att.toUInt()) {
        case 0:
            removeLevelList(index, MacroSelection::childGroupOf(L, name));
            storeLevel(index);
            break;
        case 1:
            storeLevel(index);
            break;
        case 2:
            removeLevelList(index, MacroSelection::selectedGroup(L + 1));
            storeLevelList(index, MacroSelection::childGroupOf(L + 1, name), lists, true);
            break;
        default:
            break;
        }
    }
    return QVariant(NameIndex::instance().lastWriteSucceeded());
}

void myQQuickView::updataMacroList_delOld(QVariant macroLevel)
{
    qDebug().noquote() << QStringLiteral("=============================  updataMacroList_delOld, removeName = ")
                              + macroLevel.toString();
    const NameIndex::Batch oneWrite;
    NameIndex& index = NameIndex::instance();
    removeLevelList(index, macroLevel.toString());
}

QVariantMap myQQuickView::getMacroTree()
{
    // Every level list is a group holding a macroName key; one pass over the
    // sorted keys finds them all.
    const QSettings::SettingsMap& entries = NameIndex::instance().entries();
    const QString nameSuffix = QStringLiteral("/macroName");
    QVariantMap tree;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        if (!it.key().endsWith(nameSuffix))
            continue;
        const QString group = it.key().left(it.key().size() - nameSuffix.size());
        if (group.contains(QLatin1Char('/')))
            continue;
        const QVariant types = entries.value(group + QStringLiteral("/macroType"));
        tree.insert(group, QVariantList{iniList(it.value()), iniList(types)});
    }
    return tree;
}

QVariant myQQuickView::updataMacroLists(QVariantList writes)
{
    const NameIndex::Batch oneWrite;
    for (const QVariant& item : writes) {
        const QVariantMap w = item.toMap();
        if (w.contains(QStringLiteral("remove"))) {
            updataMacroList_delOld(w.value(QStringLiteral("remove")));
            continue;
        }
        QStringList chain = w.value(QStringLiteral("chain")).toStringList().mid(0, 5);
        while (chain.size() < 5)
            chain.append(QString());
        setMacroSelectName(chain[0], chain[1], chain[2], chain[3], chain[4]);
        const QVariantList lists = w.value(QStringLiteral("lists")).toList();
        QStringList l[10];
        for (int a = 0; a < 10; ++a)
            l[a] = lists.value(a).toStringList();
        updataMacroList(w.value(QStringLiteral("att")), w.value(QStringLiteral("macroLevel")),
                        w.value(QStringLiteral("currentName")), l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7],
                        l[8], l[9]);
    }
    return QVariant(true);
}

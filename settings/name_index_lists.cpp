// The scene's lists in the name index: the ordered name lists and the macro
// tree's attribute lists.
#include "settings/name_index.h"
#include "settings/ini_format.h"
#include "settings/macro_selection.h"
#include <QDebug>
#include <iterator>

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

bool NameIndex::storeNameList(const QVariant& type, const QStringList& nameList)
{
    bool ok = false;
    const QString key = nameListKey(type.toInt(&ok));
    if (!ok || key.isEmpty())
        return true;
    {
        const Batch oneWrite;
        if (nameList.isEmpty())
            remove(key);
        else
            setValue(key, withSentinel(nameList));
    }
    return lastWriteSucceeded();
}

QVariantList NameIndex::nameList(const QVariant& type) const
{
    bool ok = false;
    const QString key = nameListKey(type.toInt(&ok));
    if (!ok || key.isEmpty())
        return QVariantList();
    return iniList(value(key));
}

QVariantList NameIndex::macroList(int att) const
{
    if (att < 0 || att >= int(std::size(kTopLevelAtt)))
        return QVariantList();
    return iniList(value(keyIn(QStringLiteral("macro"), kAttributes[kTopLevelAtt[att]])));
}

QVariantList NameIndex::macroSubList(const MacroSelection& selection, int att, const QString& name) const
{
    if (att < 0 || att >= int(std::size(kSubListAtt)))
        return QVariantList();
    const QString group = selection.childGroupOf(selection.level(), name);
    return iniList(value(keyIn(group, kAttributes[kSubListAtt[att]])));
}

bool NameIndex::storeMacroList(const MacroSelection& selection, const QVariant& att, const QVariant& macroLevel,
                               const QVariant& currentName, const QStringList (&attributeLists)[10])
{
    qDebug() << "=========================== updataMacroList =====================================";
    qDebug().noquote() << QStringLiteral("nameList = ") + attributeLists[0].join(QLatin1Char(' '));
    QStringList lists[10];
    for (int a = 0; a < 10; ++a)
        lists[a] = withSentinel(attributeLists[a]);
    const int L = macroLevel.toInt();
    const QString name = currentName.toString();
    // Stores a list of level L: under the selected folder's group, or the
    // top-level keys for level 0.
    auto storeLevel = [&](NameIndex& index) {
        storeLevelList(index, L != 0 ? selection.selectedGroup(L) : QStringLiteral("macro"), lists, false);
    };

    {
        const Batch oneWrite;
        NameIndex& index = *this;
        switch (att.toUInt()) {
        case 0:
            removeLevelList(index, selection.childGroupOf(L, name));
            storeLevel(index);
            break;
        case 1:
            storeLevel(index);
            break;
        case 2:
            removeLevelList(index, selection.selectedGroup(L + 1));
            storeLevelList(index, selection.childGroupOf(L + 1, name), lists, true);
            break;
        default:
            break;
        }
    }
    return lastWriteSucceeded();
}

void NameIndex::removeMacroList(const QString& group)
{
    qDebug().noquote() << QStringLiteral("=============================  updataMacroList_delOld, removeName = ")
                              + group;
    const Batch oneWrite;
    removeLevelList(*this, group);
}

QVariantMap NameIndex::macroTree() const
{
    // Every level list is a group holding a macroName key; one pass over the
    // sorted keys finds them all.
    const QSettings::SettingsMap& all = entries();
    const QString nameSuffix = QStringLiteral("/macroName");
    QVariantMap tree;
    for (auto it = all.constBegin(); it != all.constEnd(); ++it) {
        if (!it.key().endsWith(nameSuffix))
            continue;
        const QString group = it.key().left(it.key().size() - nameSuffix.size());
        if (group.contains(QLatin1Char('/')))
            continue;
        const QVariant types = all.value(group + QStringLiteral("/macroType"));
        tree.insert(group, QVariantList{iniList(it.value()), iniList(types)});
    }
    return tree;
}

void NameIndex::storeMacroLists(MacroSelection& selection, const QVariantList& writes)
{
    const Batch oneWrite;
    for (const QVariant& item : writes) {
        const QVariantMap w = item.toMap();
        if (w.contains(QStringLiteral("remove"))) {
            removeMacroList(w.value(QStringLiteral("remove")).toString());
            continue;
        }
        QStringList chain = w.value(QStringLiteral("chain")).toStringList().mid(0, 5);
        while (chain.size() < 5)
            chain.append(QString());
        selection.setNames(chain);
        const QVariantList lists = w.value(QStringLiteral("lists")).toList();
        QStringList l[10];
        for (int a = 0; a < 10; ++a)
            l[a] = lists.value(a).toStringList();
        storeMacroList(selection, w.value(QStringLiteral("att")), w.value(QStringLiteral("macroLevel")),
                       w.value(QStringLiteral("currentName")), l);
    }
}

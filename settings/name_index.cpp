// The name index: ordered name lists and the macro tree's attribute lists.
#include "settings/name_index.h"
#include "app/myqquickview.h"
#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/macro_selection.h"
#include <QDebug>

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

void removeLevelList(QSettings& index, const QString& group)
{
    for (const char* attribute : kAttributes)
        index.remove(keyIn(group, attribute));
}

// Stores the ten lists under group; empty lists remove their key unless
// keepEmpty is set.
void storeLevelList(QSettings& index, const QString& group, const QStringList (&lists)[10], bool keepEmpty)
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

namespace NameIndex {
QString path()
{
    return QStringLiteral("./modules/setting/name.bin");
}

QString sentinel()
{
    return QStringLiteral("emptyslotkey");
}
} // namespace NameIndex

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    bool ok = false;
    const QString key = nameListKey(type.toInt(&ok));
    if (!ok || key.isEmpty())
        return QVariant(true);
    const auto index = openIni(NameIndex::path());
    if (nameList.isEmpty())
        index->remove(key);
    else
        index->setValue(key, withSentinel(nameList));
    return QVariant(syncSettings(*index));
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    bool ok = false;
    const QString key = nameListKey(type.toInt(&ok));
    if (!ok || key.isEmpty())
        return QVariantList();
    return iniList(openIni(NameIndex::path())->value(key));
}

QVariant myQQuickView::getMacroList_Att(int att)
{
    if (att < 0 || att >= int(std::size(kTopLevelAtt)))
        return QVariant(QVariantList());
    const auto index = openIni(NameIndex::path());
    return QVariant(iniList(index->value(keyIn(QStringLiteral("macro"), kAttributes[kTopLevelAtt[att]]))));
}

QVariant myQQuickView::getMacroSubList_Att(int att, QVariant name)
{
    if (att < 0 || att >= int(std::size(kSubListAtt)))
        return QVariant(QVariantList());
    const QString group = MacroSelection::childGroupOf(MacroSelection::level(), name.toString());
    const auto index = openIni(NameIndex::path());
    return QVariant(iniList(index->value(keyIn(group, kAttributes[kSubListAtt[att]]))));
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
    auto storeLevel = [&](QSettings& index) {
        storeLevelList(index, L != 0 ? MacroSelection::selectedGroup(L) : QStringLiteral("macro"), lists, false);
    };

    const auto index = openIni(NameIndex::path());
    switch (att.toUInt()) {
    case 0:
        removeLevelList(*index, MacroSelection::childGroupOf(L, name));
        storeLevel(*index);
        break;
    case 1:
        storeLevel(*index);
        break;
    case 2:
        removeLevelList(*index, MacroSelection::selectedGroup(L + 1));
        storeLevelList(*index, MacroSelection::childGroupOf(L + 1, name), lists, true);
        break;
    default:
        break;
    }
    return QVariant(syncSettings(*index));
}

void myQQuickView::updataMacroList_delOld(QVariant macroLevel)
{
    qDebug().noquote() << QStringLiteral("=============================  updataMacroList_delOld, removeName = ")
                              + macroLevel.toString();
    const auto index = openIni(NameIndex::path());
    removeLevelList(*index, macroLevel.toString());
    syncSettings(*index);
}

#include "settings/macro_selection.h"

namespace {
bool isListLevel(int level)
{
    return level >= 1 && level <= 5;
}
} // namespace

QString MacroSelection::name(int k) const
{
    return k >= 1 && k <= 5 ? m_names.at(k - 1) : QString();
}

int MacroSelection::level() const
{
    return m_level.trimmed().toInt();
}

void MacroSelection::setNames(const QStringList& fiveNames)
{
    QStringList names = fiveNames.mid(0, 5);
    while (names.size() < 5)
        names.append(QString());
    m_names = names;
}

QString MacroSelection::entryDir(int level) const
{
    if (level < 0 || level > 5)
        return QString();
    QString dir = QStringLiteral("./modules/macro/");
    for (int k = 1; k <= level; ++k)
        dir += name(k) + QLatin1Char('/');
    return dir;
}

QString MacroSelection::childGroupOf(int level, const QString& folder) const
{
    if (!isListLevel(level))
        return QString();
    QString group;
    for (int k = 1; k < level; ++k)
        group += name(k);
    return group + folder;
}

QString MacroSelection::selectedGroup(int level) const
{
    if (!isListLevel(level))
        return QString();
    QString group;
    for (int k = 1; k <= level; ++k)
        group += name(k);
    return group;
}

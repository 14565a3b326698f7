#include "settings/macro_selection.h"

namespace {
struct State {
    QStringList names = QStringList(5, QString());
    QString level;
};

State& state()
{
    static State s;
    return s;
}

bool isListLevel(int level)
{
    return level >= 1 && level <= 5;
}
} // namespace

namespace MacroSelection {

QStringList names()
{
    return state().names;
}

QString name(int k)
{
    return k >= 1 && k <= 5 ? state().names.at(k - 1) : QString();
}

QString levelText()
{
    return state().level;
}

int level()
{
    return state().level.trimmed().toInt();
}

void setNames(const QStringList& fiveNames)
{
    QStringList names = fiveNames.mid(0, 5);
    while (names.size() < 5)
        names.append(QString());
    state().names = names;
}

void setLevel(const QString& text)
{
    state().level = text;
}

QString entryDir(int level)
{
    if (level < 0 || level > 5)
        return QString();
    QString dir = QStringLiteral("./modules/macro/");
    for (int k = 1; k <= level; ++k)
        dir += name(k) + QLatin1Char('/');
    return dir;
}

QString childGroupOf(int level, const QString& folder)
{
    if (!isListLevel(level))
        return QString();
    QString group;
    for (int k = 1; k < level; ++k)
        group += name(k);
    return group + folder;
}

QString selectedGroup(int level)
{
    if (!isListLevel(level))
        return QString();
    QString group;
    for (int k = 1; k <= level; ++k)
        group += name(k);
    return group;
}

} // namespace MacroSelection

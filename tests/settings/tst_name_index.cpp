// The name index: name lists with the sentinel, the macro tree's level lists
// and the path table formed from the macro selection.
#include "settings/ini_format.h"
#include "settings/macro_selection.h"
#include "settings/name_index.h"
#include "tests/settings/settings_fixture.h"
#include <QtTest>

namespace {
const QString kIndex = QStringLiteral("modules/setting/name.bin");
const QStringList kAttributes{"macroName", "macroType", "showImg", "txtMargin", "level",
                              "no0",       "no1",       "no2",     "no3",       "no4"};

QVariant stored(const QString& key)
{
    return openIni(QStringLiteral("./") + kIndex)->value(key);
}
} // namespace

class TestNameIndex : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    MacroSelection selection;

    static NameIndex& index() { return NameIndex::instance(); }
    void select(const QStringList& names, const QString& level)
    {
        selection.setNames({names.value(0), names.value(1), names.value(2), names.value(3), names.value(4)});
        selection.setLevel(level);
    }
    // Ten one-item lists whose item names the attribute.
    bool update(int att, int level, const QString& current, const QString& tag)
    {
        QStringList l[10];
        for (int a = 0; a < 10; ++a)
            l[a] = QStringList{tag + kAttributes[a]};
        return index().storeMacroList(selection, att, level, current, l);
    }
    // Ten empty lists, but for the names.
    bool storeNames(int att, int level, const QString& current, const QStringList& names)
    {
        const QStringList l[10] = {names};
        return index().storeMacroList(selection, att, level, current, l);
    }

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        selection = MacroSelection();
        select({}, QStringLiteral("0"));
    }
    void cleanup() { work.reset(); }

    void nameLists_data()
    {
        QTest::addColumn<QVariant>("type");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QVariantList>("readBack");
        QTest::newRow("one profile gets the sentinel")
            << QVariant(2) << QStringList{"Standard0"} << QByteArray("[profile]\nprofileName=Standard0, emptyslotkey\n")
            << QVariantList{"Standard0", "emptyslotkey"};
        QTest::newRow("two guns") << QVariant(1) << QStringList{"M416", "AKM"} << QByteArray("[gun]\ngunName=M416, AKM\n")
                                  << QVariantList{"M416", "AKM"};
        QTest::newRow("macro names escaped") << QVariant(0) << QStringList{"a,b", QString::fromUtf16(u"\u5b8f")}
                                             << QByteArray("[macro]\nmacroName=\"a,b\", \\x5b8f\n")
                                             << QVariantList{"a,b", QString::fromUtf16(u"\u5b8f")};
        QTest::newRow("gun selection, type as text") << QVariant(QStringLiteral("3")) << QStringList{"0", "1", "2"}
                                                     << QByteArray("[gun]\nselectGun=0, 1, 2\n")
                                                     << QVariantList{"0", "1", "2"};
    }
    void nameLists()
    {
        QFETCH(QVariant, type);
        QFETCH(QStringList, names);
        QFETCH(QByteArray, line);
        QFETCH(QVariantList, readBack);
        QVERIFY(index().storeNameList(type, names));
        QCOMPARE(work->read(kIndex), line);
        QCOMPARE(index().nameList(type), readBack);
    }

    void emptyListRemovesTheKey()
    {
        index().storeNameList(1, {"M416", "AKM"});
        index().storeNameList(2, {"Standard0"});
        index().storeNameList(1, {});
        QCOMPARE(index().nameList(1), QVariantList());
        QCOMPARE(work->read(kIndex), QByteArray("[profile]\nprofileName=Standard0, emptyslotkey\n"));
    }

    void otherTypesChangeNothing_data()
    {
        QTest::addColumn<QVariant>("type");
        QTest::newRow("4") << QVariant(4);
        QTest::newRow("-1") << QVariant(-1);
        QTest::newRow("text") << QVariant(QStringLiteral("gun"));
    }
    void otherTypesChangeNothing()
    {
        QFETCH(QVariant, type);
        QVERIFY(index().storeNameList(type, {"x", "y"}));
        QVERIFY(!work->exists(kIndex));
        QCOMPARE(index().nameList(type), QVariantList());
    }

    void pathTable_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("childGroup");
        QTest::addColumn<QString>("selectedGroup");
        QTest::newRow("0") << 0 << "" << "";
        QTest::newRow("1") << 1 << "n" << "A";
        QTest::newRow("2") << 2 << "An" << "AB";
        QTest::newRow("3") << 3 << "ABn" << "ABC";
        QTest::newRow("4") << 4 << "ABCn" << "ABCD";
        QTest::newRow("5") << 5 << "ABCDn" << "ABCDE";
        QTest::newRow("6") << 6 << "" << "";
        QTest::newRow("-1") << -1 << "" << "";
    }
    void pathTable()
    {
        QFETCH(int, level);
        QFETCH(QString, childGroup);
        QFETCH(QString, selectedGroup);
        select({"A", "B", "C", "D", "E"}, QString::number(level));
        QCOMPARE(selection.level(), level);
        QCOMPARE(selection.childGroupOf(level, QStringLiteral("n")), childGroup);
        QCOMPARE(selection.selectedGroup(level), selectedGroup);
    }

    void subListAttributes_data()
    {
        QTest::addColumn<int>("att");
        QTest::addColumn<QString>("attribute");
        for (int att = 0; att < 10; ++att)
            QTest::newRow(qPrintable(QString::number(att)))
                << att << (att < 4 ? kAttributes[att + 1] : att == 4 ? kAttributes[0] : kAttributes[att]);
    }
    void subListAttributes()
    {
        QFETCH(int, att);
        QFETCH(QString, attribute);
        work->write(kIndex, "[GamesFPS]\n" + attribute.toLatin1() + "=x, y\n");
        select({"Games"}, QStringLiteral("2"));
        QCOMPARE(index().macroSubList(selection, att, QStringLiteral("FPS")), (QVariantList{"x", "y"}));
        // Any other attribute of that group is absent.
        QCOMPARE(index().macroSubList(selection, att == 0 ? 1 : 0, QStringLiteral("FPS")), QVariantList());
    }

    void topLevelAttributes_data()
    {
        QTest::addColumn<int>("att");
        QTest::addColumn<QString>("attribute");
        for (int att = 0; att < 9; ++att)
            QTest::newRow(qPrintable(QString::number(att))) << att << kAttributes[att + 1];
    }
    void topLevelAttributes()
    {
        QFETCH(int, att);
        QFETCH(QString, attribute);
        work->write(kIndex, "[macro]\nmacroName=a, b\n" + attribute.toLatin1() + "=1, 2\n");
        QCOMPARE(index().macroList(att), (QVariantList{"1", "2"}));
    }

    void attributeNumbersOutsideTheTablesGiveEmptyLists()
    {
        work->write(kIndex, "[macro]\nmacroName=a, b\n\n[Games]\nmacroName=a, b\n");
        select({"Games"}, QStringLiteral("1"));
        for (int att : {-1, 9, 100})
            QCOMPARE(index().macroList(att), QVariantList());
        for (int att : {-1, 10, 100})
            QCOMPARE(index().macroSubList(selection, att, QStringLiteral("Games")), QVariantList());
    }

    void levelsWithoutAPathReadBareNames_data()
    {
        QTest::addColumn<QString>("level");
        QTest::newRow("0") << "0";
        QTest::newRow("6") << "6";
        QTest::newRow("not a number") << "x";
    }
    void levelsWithoutAPathReadBareNames()
    {
        QFETCH(QString, level);
        select({"Games"}, level);
        work->write(kIndex, "[macro]\nmacroName=a, b\n\n[Games]\nmacroName=a, b\n");
        QCOMPARE(index().macroSubList(selection, 4, QStringLiteral("Games")), QVariantList());
        work->write(kIndex, "[General]\nmacroName=bare, names\n");
        QCOMPARE(index().macroSubList(selection, 4, QStringLiteral("Games")), (QVariantList{"bare", "names"}));
    }

    void storeTopLevelListWithSentinels()
    {
        QVERIFY(update(1, 0, QString(), QStringLiteral("t")));
        for (const QString& a : kAttributes)
            QCOMPARE(iniList(stored(QStringLiteral("macro/") + a)), (QVariantList{"t" + a, "emptyslotkey"}));
        QVERIFY(work->read(kIndex).contains("\nmacroName=tmacroName, emptyslotkey\n"));
    }

    void emptyListsRemoveTheTopLevelKeys()
    {
        update(1, 0, QString(), QStringLiteral("t"));
        storeNames(1, 0, QString(), {});
        QCOMPARE(work->read(kIndex), QByteArray());
    }

    void storeListOfSelectedFolder()
    {
        select({"Games", "FPS"}, QStringLiteral("2"));
        update(1, 2, QStringLiteral("ignored"), QStringLiteral("s"));
        QCOMPARE(iniList(stored(QStringLiteral("GamesFPS/no4"))), (QVariantList{"sno4", "emptyslotkey"}));
        QCOMPARE(index().macroSubList(selection, 4, QStringLiteral("FPS")),
                 (QVariantList{"smacroName", "emptyslotkey"}));
    }

    void replaceChildrenThenStore()
    {
        // Level 2 with Games/FPS selected: the children of Sub are the group
        // name1 + Sub; the list written is that of the selected FPS.
        select({"Games", "FPS"}, QStringLiteral("2"));
        QByteArray file = "[GamesSub]\n";
        for (const QString& a : kAttributes)
            file += a.toLatin1() + "=x, y\n";
        file += "\n[keep]\nk=1\n";
        work->write(kIndex, file);
        update(0, 2, QStringLiteral("Sub"), QStringLiteral("new"));
        for (const QString& a : kAttributes) {
            QCOMPARE(stored(QStringLiteral("GamesSub/") + a), QVariant());
            QCOMPARE(iniList(stored(QStringLiteral("GamesFPS/") + a)).value(0).toString(), "new" + a);
        }
        QCOMPARE(stored(QStringLiteral("keep/k")).toString(), QStringLiteral("1"));
    }

    void moveChildrenToANewName()
    {
        // Folder Games at the top is renamed Play: its children move from
        // the group Games (selected) to the group Play (current name).
        select({"Games"}, QStringLiteral("0"));
        update(1, 1, QString(), QStringLiteral("kid"));
        storeNames(2, 0, QStringLiteral("Play"), {"a", "b"});
        for (const QString& a : kAttributes)
            QCOMPARE(stored(QStringLiteral("Games/") + a), QVariant());
        QCOMPARE(iniList(stored(QStringLiteral("Play/macroName"))), (QVariantList{"a", "b"}));
        // Empty lists are written too, as empty values.
        QVERIFY(work->read(kIndex).contains("[Play]\nlevel=@Invalid()\n"));
    }

    void unknownAttWritesNothing()
    {
        QVERIFY(update(3, 0, QString(), QStringLiteral("t")));
        QVERIFY(!work->exists(kIndex) || work->read(kIndex).isEmpty());
    }

    void deleteOldGroup()
    {
        select({"Games"}, QStringLiteral("1"));
        update(1, 1, QString(), QStringLiteral("g"));
        index().storeNameList(2, {"Standard0"});
        index().removeMacroList(QStringLiteral("Games"));
        QCOMPARE(work->read(kIndex), QByteArray("[profile]\nprofileName=Standard0, emptyslotkey\n"));
    }

    void selectionAccessors()
    {
        select({"a", "b", "", "", "e"}, QStringLiteral("2"));
        QCOMPARE(selection.names(), (QStringList{"a", "b", "", "", "e"}));
        QCOMPARE(selection.name(5), QStringLiteral("e"));
        QCOMPARE(selection.name(6), QString());
        QCOMPARE(selection.levelText(), QStringLiteral("2"));
        QCOMPARE(selection.entryDir(0), QStringLiteral("./modules/macro/"));
        QCOMPARE(selection.entryDir(2), QStringLiteral("./modules/macro/a/b/"));
        QCOMPARE(selection.entryDir(6), QString());
        // Always five names: more are cut off, fewer filled up.
        selection.setNames({"1", "2", "3", "4", "5", "6"});
        QCOMPARE(selection.names(), (QStringList{"1", "2", "3", "4", "5"}));
        selection.setNames({"x"});
        QCOMPARE(selection.names(), (QStringList{"x", "", "", "", ""}));
        QCOMPARE(MacroSelection().names(), QStringList(5, QString()));
    }

    // The file is parsed once and kept; every change reaches the file at
    // once, and a file replaced behind the program's back is read again.
    void keptInMemoryWrittenThroughReadAgainWhenReplaced()
    {
        index().storeNameList(2, {"Standard0", "profile_11"});
        QCOMPARE(work->read(kIndex), QByteArray("[profile]\nprofileName=Standard0, profile_11\n"));
        // Another program replaces the file (a new inode) and edits it in place.
        QFile::remove(work->path(kIndex));
        work->write(kIndex, "[gun]\ngunName=a, b\n");
        QCOMPARE(index().nameList(1), (QVariantList{"a", "b"}));
        QCOMPARE(index().nameList(2), QVariantList());
        work->write(kIndex, "[gun]\ngunName=a, b, c\n");
        QCOMPARE(index().nameList(1), (QVariantList{"a", "b", "c"}));
        // Another working directory is another index.
        {
            SettingsWorkdir other;
            QCOMPARE(index().nameList(1), QVariantList());
            index().storeNameList(1, {"x", "y"});
            QCOMPARE(other.read(kIndex), QByteArray("[gun]\ngunName=x, y\n"));
        }
        QCOMPARE(index().nameList(1), (QVariantList{"a", "b", "c"}));
    }

    // Several lists in one call leave the file exactly as the single calls
    // do, written once.
    void severalListsInOneWrite()
    {
        auto lists = [](const QString& tag) {
            QVariantList l;
            for (const QString& a : kAttributes)
                l << QVariant(QStringList{tag + a, tag + a + QLatin1Char('2')});
            return l;
        };
        const QVariantList writes{
            QVariantMap{{"chain", QStringList{}}, {"att", 1}, {"macroLevel", 0}, {"currentName", ""}, {"lists", lists("t")}},
            QVariantMap{{"chain", QStringList{"Games"}}, {"att", 0}, {"macroLevel", 1}, {"currentName", "Old"},
                        {"lists", lists("g")}},
            QVariantMap{{"chain", QStringList{"Games", "FPS"}}, {"att", 1}, {"macroLevel", 2}, {"currentName", ""},
                        {"lists", lists("f")}}};
        work->write(kIndex, "[Old]\nmacroName=x, y\n");
        for (const QVariant& w : writes) {
            const QVariantMap m = w.toMap();
            const QStringList chain = m.value("chain").toStringList();
            select(chain, QString());
            QStringList l[10];
            for (int a = 0; a < 10; ++a)
                l[a] = m.value("lists").toList().at(a).toStringList();
            index().storeMacroList(selection, m.value("att"), m.value("macroLevel"), m.value("currentName"), l);
        }
        const QByteArray oneByOne = work->read(kIndex);
        QVERIFY(oneByOne.contains("[GamesFPS]\n"));
        QVERIFY(!oneByOne.contains("[Old]"));

        QFile::remove(work->path(kIndex));
        work->write(kIndex, "[Old]\nmacroName=x, y\n");
        MacroSelection batchSelection;
        index().storeMacroLists(batchSelection, writes);
        QCOMPARE(work->read(kIndex), oneByOne);
        // The chain of the last item stays selected.
        QCOMPARE(batchSelection.names(), (QStringList{"Games", "FPS", "", "", ""}));

        // The whole tree in one call: [names, types] of every list.
        const QVariantMap tree = index().macroTree();
        QCOMPARE(tree.keys(), (QStringList{"Games", "GamesFPS", "macro"}));
        QCOMPARE(tree.value("GamesFPS").toList().value(0).toList(), (QVariantList{"fmacroName", "fmacroName2"}));
        QCOMPARE(tree.value("macro").toList().value(1).toList(), (QVariantList{"tmacroType", "tmacroType2"}));
    }

    // A batch of changes is one write: the file stays as it was until the
    // outermost batch ends.
    void batchWritesOnceAtItsEnd()
    {
        index().storeNameList(1, {"a", "b"});
        const QByteArray before = work->read(kIndex);
        {
            const NameIndex::Batch outer;
            index().storeNameList(2, {"p", "q"});
            {
                const NameIndex::Batch inner;
                index().storeNameList(1, {});
            }
            QCOMPARE(work->read(kIndex), before);
            QCOMPARE(index().nameList(2), (QVariantList{"p", "q"}));
        }
        QCOMPARE(work->read(kIndex), QByteArray("[profile]\nprofileName=p, q\n"));
    }
};

QTEST_GUILESS_MAIN(TestNameIndex)
#include "tst_name_index.moc"

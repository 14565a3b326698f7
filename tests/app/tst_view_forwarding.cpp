// What the view adds to the services it forwards to: the file dialogs asked
// for a profile's export and import and what a cancelled one does, the tray
// texts taken from a language's "other" page, the services' warnings
// shown in a box over the view, and the macro selection each view keeps for
// its macro library and name index lists.
#include "app/myqquickview.h"
#include "app/notice_texts.h"
#include "device/dpi_switch_texts.h"
#include "settings/import_limit.h"
#include "settings/language_strings.h"
#include "settings/user_warnings.h"
#include "tests/app/recording_dialogs.h"
#include "tests/settings/settings_fixture.h"
#include <QStandardPaths>
#include <QtTest>

namespace {
QString slotFile(int slot)
{
    return QStringLiteral("modules/setting/p%1.bin").arg(slot + 1);
}

QStringList defaultTrayTexts()
{
    return QStringList(8, QStringLiteral("DPI Switch to"));
}

const QString DefaultNotice = QStringLiteral("default notice");
const QString DefaultMenu = QStringLiteral("default menu");
} // namespace

class TestViewForwarding : public QObject {
    Q_OBJECT
    std::unique_ptr<SettingsWorkdir> work;
    std::unique_ptr<RecordingDialogs> dialogs;
    std::unique_ptr<myQQuickView> view;
    QString m_notice;
    QString m_menu;

private slots:
    void init()
    {
        work = std::make_unique<SettingsWorkdir>();
        work->writeSettingsSet();
        // Chinese as raw UTF-8, as translators write it.
        work->write(QStringLiteral("modules/i18n/English.ini"),
                    "[profile]\ntotal=2\n0=New\n1=Delete\n\n"
                    "[other]\ntotal=8\n0=s1\n1=s2\n2=s3\n3=s4\n4=s5\n5=s6\n6=s7\n7=sx\n");
        work->write(QStringLiteral("modules/i18n/ChineseSimplified.ini"),
                    "[other]\ntotal=3\n0=\xe5\x88\x87\xe6\x8d\xa2\n1=b\n2=c\n");
        work->write(QStringLiteral("modules/i18n/German.ini"), "[other]\ntotal=8\n0=g0\n5=g5\n");
        work->write(QStringLiteral("modules/i18n/French.ini"),
                    "[other]\ntotal=9\n0=f1\n1=f2\n2=f3\n3=f4\n4=f5\n5=f6\n6=f7\n7=fx\n8=acces refuse\n");
        work->write(QStringLiteral("modules/i18n/Dutch.ini"),
                    "[other]\ntotal=10\n0=d1\n1=d2\n2=d3\n3=d4\n4=d5\n5=d6\n6=d7\n7=dx\n8=\n9=Tonen\n");
        m_notice = accessDeniedNotice();
        m_menu = showWindowMenuText();
        dpiSwitchTexts() = defaultTrayTexts();
        accessDeniedNotice() = DefaultNotice;
        showWindowMenuText() = DefaultMenu;
        dialogs = std::make_unique<RecordingDialogs>();
        view = std::make_unique<myQQuickView>();
    }
    void cleanup()
    {
        view.reset();
        // The view leaves its warning handler installed for the program's life.
        UserWarnings::setHandler({});
        dialogs.reset();
        work.reset();
        dpiSwitchTexts() = defaultTrayTexts();
        accessDeniedNotice() = m_notice;
        showWindowMenuText() = m_menu;
    }

    // Export and import ask for a file on the desktop (export suggesting the
    // profile's name, here the default "Profile 3.pf"); a cancelled dialog or
    // a slot outside 0..9 changes no file, and the latter asks nothing.
    void profileFileDialogs_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QStringList>("asked");
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        const QString save = QStringLiteral("save|Save File|") + desktop + QStringLiteral("/Profile 3.pf|Profile(*.pf)");
        const QString open = QStringLiteral("open|Open File|") + desktop + QStringLiteral("|Profile(*.pf)");
        QTest::newRow("export") << "export" << 2 << true << QStringList{save};
        QTest::newRow("export cancelled") << "export" << 2 << false << QStringList{save};
        QTest::newRow("export, slot -1") << "export" << -1 << true << QStringList();
        QTest::newRow("export, slot 10") << "export" << 10 << true << QStringList();
        QTest::newRow("import") << "import" << 4 << true << QStringList{open};
        QTest::newRow("import cancelled") << "import" << 4 << false << QStringList{open};
        QTest::newRow("import, slot -1") << "import" << -1 << true << QStringList();
        QTest::newRow("import, slot 99") << "import" << 99 << true << QStringList();
    }
    void profileFileDialogs()
    {
        QFETCH(QString, action);
        QFETCH(int, slot);
        QFETCH(bool, answered);
        QFETCH(QStringList, asked);
        const bool exporting = action == QLatin1String("export");
        const bool done = answered && !asked.isEmpty();
        const QByteArray exchangeContent("[mouse]\nslot=X\n");
        if (!exporting)
            work->write(QStringLiteral("exchange.pf"), exchangeContent);
        QList<QByteArray> before;
        for (int k = 0; k < ProfileStore::SlotCount; ++k)
            before << work->read(slotFile(k));
        if (answered)
            dialogs->answers << work->path(QStringLiteral("exchange.pf"));

        if (exporting) {
            view->saveProfile(slot);
            QCOMPARE(work->exists(QStringLiteral("exchange.pf")), done);
            if (done)
                QCOMPARE(work->read(QStringLiteral("exchange.pf")), work->read(slotFile(slot)));
        } else {
            QCOMPARE(view->loadProfile(slot), done);
        }
        QCOMPARE(dialogs->asked, asked);
        view.reset();
        for (int k = 0; k < ProfileStore::SlotCount; ++k)
            QCOMPARE(work->read(slotFile(k)), !exporting && done && k == slot ? exchangeContent : before.at(k));
    }

    // The "other" page's texts become the tray's; pages the file lacks,
    // entries it lacks and other pages leave the previous texts.
    void otherPageSetsTrayTexts_data()
    {
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QStringList>("tray");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("menu");
        const QString dflt = QStringLiteral("DPI Switch to");
        const QStringList english{"s1", "s2", "s3", "s4", "s5", "s6", "s7", "sx"};
        const QStringList french{"f1", "f2", "f3", "f4", "f5", "f6", "f7", "fx"};
        QTest::newRow("all eight") << QStringList{"other:English"} << english << DefaultNotice << DefaultMenu;
        QTest::newRow("a shorter page keeps the rest")
            << QStringList{"other:English", "other:ChineseSimplified"}
            << QStringList{QString::fromUtf16(u"\u5207\u6362"), "b", "c", "s4", "s5", "s6", "s7", "sx"}
            << DefaultNotice << DefaultMenu;
        QTest::newRow("a language without a file keeps them")
            << QStringList{"other:English", "other:Klingon"} << english << DefaultNotice << DefaultMenu;
        QTest::newRow("gaps keep the previous text")
            << QStringList{"other:German"} << QStringList{"g0", dflt, dflt, dflt, dflt, "g5", dflt, dflt}
            << DefaultNotice << DefaultMenu;
        QTest::newRow("ninth text is the access notice")
            << QStringList{"other:French"} << french << QStringLiteral("acces refuse") << DefaultMenu;
        QTest::newRow("a page of eight keeps the notice")
            << QStringList{"other:French", "other:English"} << english << QStringLiteral("acces refuse") << DefaultMenu;
        QTest::newRow("tenth text is the show-window entry, an empty notice is kept")
            << QStringList{"other:Dutch"} << QStringList{"d1", "d2", "d3", "d4", "d5", "d6", "d7", "dx"}
            << DefaultNotice << QStringLiteral("Tonen");
        QTest::newRow("other pages leave them") << QStringList{"profile:English", "keyCode:English"}
                                                << defaultTrayTexts() << DefaultNotice << DefaultMenu;
    }
    void otherPageSetsTrayTexts()
    {
        QFETCH(QStringList, pages);
        QFETCH(QStringList, tray);
        QFETCH(QString, notice);
        QFETCH(QString, menu);
        for (const QString& p : pages) {
            const QString group = p.section(QLatin1Char(':'), 0, 0);
            const QString language = p.section(QLatin1Char(':'), 1);
            QCOMPARE(view->getLangStrings(group, language), LanguageStrings().page(group, language).texts);
        }
        QCOMPARE(dpiSwitchTexts(), tray);
        QCOMPARE(accessDeniedNotice(), notice);
        QCOMPARE(showWindowMenuText(), menu);
    }

    void serviceWarningsAreShownOverTheView()
    {
        work->write(QStringLiteral("big.pf"), QByteArray(ImportLimit::MaxBytes + 1, ';'));
        dialogs->answers << work->path(QStringLiteral("big.pf"));
        QVERIFY(!view->loadProfile(0));
        QCOMPARE(dialogs->asked.size(), 2);
        QVERIFY2(dialogs->asked.at(1).startsWith(QLatin1String("warning|")), qPrintable(dialogs->asked.at(1)));
        QVERIFY2(dialogs->asked.at(1).contains(QLatin1String("big.pf")), qPrintable(dialogs->asked.at(1)));
        QCOMPARE(dialogs->warningParent, static_cast<QWidget*>(view.get()));
    }

    // The folders and level the scene selects reach the library's paths and
    // the name index's groups of this view only; a batch of level lists
    // leaves its last chain selected.
    void macroSelectionBelongsToTheView()
    {
        QDir().mkpath(work->path(QStringLiteral("modules/macro/G/S")));
        work->write(QStringLiteral("modules/setting/name.bin"), "[GF]\nmacroName=a, b\n");
        view->setMacroSelectName(QStringLiteral("G"), QString(), QString(), QString(), QString());
        view->setMacroLevel(2);
        QVERIFY(view->createMacroIni(QStringLiteral("m"), 3, 1, 0).toBool());
        QVERIFY(QFileInfo::exists(work->path(QStringLiteral("modules/macro/G/m.bin"))));
        QCOMPARE(view->getMacroSubList_Att(4, QStringLiteral("F")).toList(), (QVariantList{"a", "b"}));

        view->updataMacroLists({QVariantMap{{"chain", QStringList{"G", "S"}}, {"att", 1}, {"macroLevel", 2},
                                            {"currentName", ""}, {"lists", QVariantList{QStringList{"x"}}}}});
        QVERIFY(view->createMacroIni(QStringLiteral("n"), 4, 2, 0).toBool());
        QVERIFY(QFileInfo::exists(work->path(QStringLiteral("modules/macro/G/S/n.bin"))));

        // Another view starts with no folder selected: level 1 has no path.
        myQQuickView other;
        QVERIFY(!other.createMacroIni(QStringLiteral("o"), 5, 1, 0).toBool());
        QCOMPARE(other.getMacroSubList_Att(4, QStringLiteral("F")).toList(), QVariantList());
        QVERIFY(view->createMacroIni(QStringLiteral("o"), 5, 1, 0).toBool());
        QVERIFY(QFileInfo::exists(work->path(QStringLiteral("modules/macro/G/o.bin"))));
    }
};

QTEST_MAIN(TestViewForwarding)
#include "tst_view_forwarding.moc"

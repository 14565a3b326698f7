// An installed copy meets a newer release: what the shipped configuration
// adds reaches the user's copy once, and the user's own values stay.
#include "app/data_location.h"
#include "app/shipped_data_upgrade.h"
#include "device/device_table.h"
#include "features/device_table_file.h"
#include "settings/ini_format.h"
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace ShippedDataUpgrade;

class TestShippedDataUpgrade : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;

    QString shippedTree(const QString& name)
    {
        const QString dir = m_root.path() + QLatin1Char('/') + name;
        QDir().mkpath(dir);
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(HALCYON_SOURCE_DIR "/data/modules"), dir});
        return dir + QStringLiteral("/modules");
    }

private slots:
    void upgradeAddsANewMouseAndKeepsTheUsersValues()
    {
        QVERIFY(m_root.isValid());
        // The release the user installed first, and their copy of it.
        const QString oldRelease = shippedTree(QStringLiteral("old"));
        const QString user = m_root.path() + QStringLiteral("/user/modules");
        QVERIFY(seedUserData(oldRelease, user) > 0);
        QCOMPARE(mergeConfig(oldRelease, user), Result::Merged);  // records what was merged
        QCOMPARE(mergeConfig(oldRelease, user), Result::UpToDate);
        const QString userConfig = user + QStringLiteral("/setting/apConfig.bin");
        {
            const auto ini = openIni(userConfig);
            ini->setValue(QStringLiteral("common/language"), QStringLiteral("German"));
            ini->setValue(QStringLiteral("mouse/profileNo"), 3);
            // The user's own extra entry, which the new release also ships.
            ini->setValue(QStringLiteral("2/vid"), QStringLiteral("04D9"));
            ini->setValue(QStringLiteral("2/pid"), QStringLiteral("B0B0"));
            ini->setValue(QStringLiteral("2/usagePage"), QStringLiteral("ff00"));
            ini->setValue(QStringLiteral("2/usage"), QStringLiteral("ff00"));
            ini->setValue(QStringLiteral("common/deviceCount"), 3);
        }

        // The next release: two more mice (one the user already added), a
        // new key, and different defaults for keys the user has.
        const QString newRelease = shippedTree(QStringLiteral("new"));
        {
            const auto ini = openIni(newRelease + QStringLiteral("/setting/apConfig.bin"));
            for (const auto& [n, pid] : {std::pair{2, "b0b0"}, std::pair{3, "c1c1"}}) {
                const QString g = QString::number(n) + QLatin1Char('/');
                ini->setValue(g + QStringLiteral("type"), 1);
                ini->setValue(g + QStringLiteral("vid"), QStringLiteral("04d9"));
                ini->setValue(g + QStringLiteral("pid"), QString::fromLatin1(pid));
                ini->setValue(g + QStringLiteral("usagePage"), QStringLiteral("ff00"));
                ini->setValue(g + QStringLiteral("usage"), QStringLiteral("ff00"));
                ini->setValue(g + QStringLiteral("usagePage2"), QStringLiteral("ff01"));
                ini->setValue(g + QStringLiteral("usage2"), QStringLiteral("ff01"));
                ini->setValue(g + QStringLiteral("reportLength"), 32);
            }
            ini->setValue(QStringLiteral("common/deviceCount"), 4);
            ini->setValue(QStringLiteral("common/language"), QStringLiteral("English"));
            ini->setValue(QStringLiteral("mouse/pollingHint"), 1000);
        }
        QCOMPARE(mergeConfig(newRelease, user), Result::Merged);

        const auto ini = openIni(userConfig);
        QCOMPARE(ini->value(QStringLiteral("common/language")).toString(), QStringLiteral("German"));
        QCOMPARE(ini->value(QStringLiteral("mouse/profileNo")).toInt(), 3);
        QCOMPARE(ini->value(QStringLiteral("mouse/pollingHint")).toInt(), 1000);
        // Detection finds the new mouse after the user's entries, and the
        // one the user had added is not there twice.
        const DeviceTable table = readDeviceTable(userConfig);
        QCOMPARE(table.size(), 4);
        QCOMPARE(table.at(0)->pid, quint16(0xA1F7));
        QCOMPARE(table.at(1)->pid, quint16(0xA09F));
        QCOMPARE(table.at(2)->pid, quint16(0xB0B0));
        QCOMPARE(table.at(3)->pid, quint16(0xC1C1));
        QCOMPARE(table.at(3)->usagePage2, quint16(0xFF01));
        QCOMPARE(table.at(3)->reportLength, 32);

        // Once per shipped version: a change the user makes afterwards stays.
        ini->setValue(QStringLiteral("common/deviceCount"), 2);
        ini->sync();
        QCOMPARE(mergeConfig(newRelease, user), Result::UpToDate);
        QCOMPARE(readDeviceTable(userConfig).size(), 2);
    }

    // A copy seeded before the merge existed has no record: it is brought up
    // to date once, with nothing to add when the release is the same.
    void sameReleaseChangesNothing()
    {
        const QString release = shippedTree(QStringLiteral("same"));
        const QString user = m_root.path() + QStringLiteral("/user2/modules");
        QVERIFY(seedUserData(release, user) > 0);
        QFile f(user + QStringLiteral("/setting/apConfig.bin"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        QCOMPARE(mergeConfig(release, user), Result::Merged);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QVERIFY(QFile::exists(user + QStringLiteral("/setting/apConfig.shipped")));
    }

    // Shipped files as configuration files: one file through two releases,
    // the user's copy in each state it can be in.
    void shippedFilesRefresh_data()
    {
        QTest::addColumn<bool>("recordedFirst");  // a start of the first release recorded it
        QTest::addColumn<QByteArray>("userCopy");  // the copy before the upgrade
        QTest::addColumn<QByteArray>("afterwards");
        QTest::addColumn<QString>("outcome");      // replaced, kept or none
        QTest::newRow("never changed") << true << QByteArray("old\n") << QByteArray("new\n") << "replaced";
        QTest::newRow("changed by the user") << true << QByteArray("mine\n") << QByteArray("mine\n") << "kept";
        QTest::newRow("history unknown") << false << QByteArray("old\n") << QByteArray("old\n") << "kept";
        QTest::newRow("already the new one") << false << QByteArray("new\n") << QByteArray("new\n") << "none";
    }
    void shippedFilesRefresh()
    {
        QFETCH(bool, recordedFirst);
        QFETCH(QByteArray, userCopy);
        QFETCH(QByteArray, afterwards);
        QFETCH(QString, outcome);
        QTemporaryDir root;
        auto write = [&](const QString& rel, const QByteArray& text) {
            QDir().mkpath(QFileInfo(root.filePath(rel)).path());
            QFile f(root.filePath(rel));
            return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
        };
        const QString rel = QStringLiteral("i18n/English.ini");
        QVERIFY(write("old/" + rel, "old\n") && write("new/" + rel, "new\n") && write("old/img/a.png", "A"));
        QVERIFY(write("new/img/a.png", "A"));
        const QString user = root.filePath("user/modules");
        QVERIFY(seedUserData(root.filePath("old"), user) == 2);
        if (recordedFirst) {
            const RefreshResult first = refreshShippedFiles(root.filePath("old"), user);
            QVERIFY(first.ok && first.replaced.isEmpty() && first.kept.isEmpty());
        }
        QVERIFY(write("user/modules/" + rel, userCopy));

        const RefreshResult upgrade = refreshShippedFiles(root.filePath("new"), user);
        QVERIFY(upgrade.ok);
        QCOMPARE(upgrade.replaced, outcome == "replaced" ? QStringList{rel} : QStringList());
        QCOMPARE(upgrade.kept, outcome == "kept" ? QStringList{rel} : QStringList());
        QFile copy(user + QLatin1Char('/') + rel);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), afterwards);
        // Told once: the next start finds everything as recorded.
        const RefreshResult again = refreshShippedFiles(root.filePath("new"), user);
        QVERIFY(again.ok && again.replaced.isEmpty() && again.kept.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestShippedDataUpgrade)
#include "tst_shipped_data_upgrade.moc"

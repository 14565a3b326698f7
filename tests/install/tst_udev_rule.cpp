// The shipped udev rule grants access to exactly the devices of the shipped
// device table, through the seat's uaccess tag and never by opening the node
// to everyone.
#include "device/device_table.h"
#include "features/device_table_file.h"
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

class TestUdevRule : public QObject {
    Q_OBJECT
private slots:
    void ruleMatchesTheDeviceTable()
    {
        QFile rules(QStringLiteral(HALCYON_SOURCE_DIR "/data/linux/70-halcyon.rules"));
        QVERIFY(rules.open(QIODevice::ReadOnly | QIODevice::Text));
        const QRegularExpression line(QStringLiteral(
            R"re(^SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="([0-9a-f]{4})", ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess"$)re"));
        QSet<QString> granted;
        while (!rules.atEnd()) {
            const QString text = QString::fromUtf8(rules.readLine()).trimmed();
            if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
                continue;
            QVERIFY2(!text.contains(QStringLiteral("MODE")), qPrintable(text));
            const auto m = line.match(text);
            QVERIFY2(m.hasMatch(), qPrintable(text));
            granted.insert(m.captured(1) + QLatin1Char(':') + m.captured(2));
        }

        const DeviceTable table =
            readDeviceTable(QStringLiteral(HALCYON_SOURCE_DIR "/data/modules/setting/apConfig.bin"));
        QVERIFY(!table.isEmpty());
        QSet<QString> supported;
        for (const auto& e : table)
            supported.insert(QStringLiteral("%1:%2").arg(e->vid, 4, 16, QLatin1Char('0')).arg(e->pid, 4, 16, QLatin1Char('0')));
        QCOMPARE(granted, supported);
    }
};

QTEST_GUILESS_MAIN(TestUdevRule)
#include "tst_udev_rule.moc"

// The scan-code-to-usage translation against the whole documented mapping,
// the mouse button table, and the Linux evdev route into the same table.
#include "app/evdev_scan_codes.h"
#include "app/key_usage_table.h"
#include <QSet>
#include <QtTest>

namespace {
// The documented mapping, key by key: scan code (E0 marks the extended
// flag) and usage ID.
const char* const kDocumentedMapping =
    // letters
    "1E:04 30:05 2E:06 20:07 12:08 21:09 22:0A 23:0B 17:0C 24:0D 25:0E 26:0F 32:10 31:11 18:12 "
    "19:13 10:14 13:15 1F:16 14:17 16:18 2F:19 11:1A 2D:1B 15:1C 2C:1D "
    // digit row
    "02:1E 03:1F 04:20 05:21 06:22 07:23 08:24 09:25 0A:26 0B:27 "
    // Enter .. Caps Lock
    "1C:28 01:29 0E:2A 0F:2B 39:2C 0C:2D 0D:2E 1A:2F 1B:30 2B:31 27:33 28:34 29:35 33:36 34:37 "
    "35:38 3A:39 "
    // F keys
    "3B:3A 3C:3B 3D:3C 3E:3D 3F:3E 40:3F 41:40 42:41 43:42 44:43 57:44 58:45 6E:72 "
    // navigation
    "E037:46 46:47 45:48 E052:49 E047:4A E049:4B E053:4C E04F:4D E051:4E E04D:4F E04B:50 E050:51 "
    "E048:52 "
    // keypad
    "E045:53 E035:54 37:55 4A:56 4E:57 E01C:58 4F:59 50:5A 51:5B 4B:5C 4C:5D 4D:5E 47:5F 48:60 "
    "49:61 52:62 53:63 "
    "56:64 E05D:65 "
    // modifiers
    "1D:E0 2A:E1 38:E2 E05B:E3 E01D:E4 E036:E5 E038:E6";

struct Row {
    unsigned scan;
    bool extended;
    int usage;
};

QList<Row> documentedRows()
{
    QList<Row> rows;
    for (const QString& item : QString::fromLatin1(kDocumentedMapping).split(QLatin1Char(' '))) {
        const QStringList parts = item.split(QLatin1Char(':'));
        QString key = parts.at(0);
        const bool extended = key.size() == 4;
        if (extended)
            key = key.mid(2);
        rows.append({key.toUInt(nullptr, 16), extended, parts.at(1).toInt(nullptr, 16)});
    }
    return rows;
}
} // namespace

class TestKeyUsageTable : public QObject {
    Q_OBJECT
private slots:
    void documentedKey_data()
    {
        QTest::addColumn<uint>("scan");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<int>("usage");
        for (const Row& r : documentedRows())
            QTest::addRow("%s%02X", r.extended ? "E0 " : "", r.scan) << r.scan << r.extended << r.usage;
    }
    void documentedKey()
    {
        QFETCH(uint, scan);
        QFETCH(bool, extended);
        QFETCH(int, usage);
        QCOMPARE(int(usageForScanCode(scan, extended, false)), usage);
    }

    // Exactly the documented keys are captured: no scan code outside the
    // list yields a usage (Alt up, so only the Break override applies).
    void nothingElseIsCaptured()
    {
        const QList<Row> rows = documentedRows();
        QCOMPARE(rows.size(), 105);
        QCOMPARE(int(kScanUsageCount), 105);
        QSet<unsigned> documented;
        for (const Row& r : rows)
            documented.insert(r.scan << 1 | (r.extended ? 1 : 0));
        for (unsigned scan = 0; scan < 256; ++scan)
            for (bool ext : {false, true}) {
                if (documented.contains(scan << 1 | (ext ? 1 : 0)) || (scan == 0x46 && ext))
                    continue;
                QVERIFY2(usageForScanCode(scan, ext, false) == 0,
                         qPrintable(QStringLiteral("%1%2").arg(ext ? "E0 " : "").arg(scan, 2, 16)));
            }
    }

    void specialCases_data()
    {
        QTest::addColumn<uint>("scan");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<int>("usage");
        QTest::newRow("Control+Break is Pause") << 0x46u << true << false << 0x48;
        QTest::newRow("Alt+SysRq is Print Screen") << 0x54u << false << true << 0x46;
        QTest::newRow("54 without Alt") << 0x54u << false << false << 0;
        QTest::newRow("keypad Enter") << 0x1Cu << true << false << 0x58;
        QTest::newRow("main Enter") << 0x1Cu << false << false << 0x28;
        QTest::newRow("right GUI") << 0x5Cu << true << false << 0;
        QTest::newRow("F13") << 0x64u << false << false << 0;
        QTest::newRow("F24") << 0x76u << false << false << 0;
        QTest::newRow("scan code above 255") << 0x11Eu << false << false << 0;
        QTest::newRow("Alt does not change A") << 0x1Eu << false << true << 0x04;
    }
    void specialCases()
    {
        QFETCH(uint, scan);
        QFETCH(bool, extended);
        QFETCH(bool, alt);
        QFETCH(int, usage);
        QCOMPARE(int(usageForScanCode(scan, extended, alt)), usage);
    }

    void mouseButtons_data()
    {
        QTest::addColumn<uint>("message");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("isDown");
        QTest::newRow("WM_LBUTTONDOWN") << 0x0201u << 0xF0 << true;
        QTest::newRow("WM_LBUTTONUP") << 0x0202u << 0xF0 << false;
        QTest::newRow("WM_LBUTTONDBLCLK") << 0x0203u << 0 << false;
        QTest::newRow("WM_RBUTTONDOWN") << 0x0204u << 0xF1 << true;
        QTest::newRow("WM_RBUTTONUP") << 0x0205u << 0xF1 << false;
        QTest::newRow("WM_RBUTTONDBLCLK") << 0x0206u << 0 << false;
        QTest::newRow("WM_MBUTTONDOWN") << 0x0207u << 0xF2 << true;
        QTest::newRow("WM_MBUTTONUP") << 0x0208u << 0xF2 << false;
        QTest::newRow("WM_MOUSEMOVE") << 0x0200u << 0 << false;
        QTest::newRow("WM_MOUSEWHEEL") << 0x020Au << 0 << false;
        QTest::newRow("WM_XBUTTONDOWN") << 0x020Bu << 0 << false;
    }
    void mouseButtons()
    {
        QFETCH(uint, message);
        QFETCH(int, code);
        QFETCH(bool, isDown);
        const MouseButtonEvent e = mouseButtonForMessage(message);
        QCOMPARE(int(e.code), code);
        if (code)
            QCOMPARE(e.isDown, isDown);
    }

    // Linux key codes reach the same usages (evdev code = X keycode - 8).
    void evdevRoute_data()
    {
        QTest::addColumn<uint>("evdev");
        QTest::addColumn<int>("usage");
        QTest::newRow("A") << 30u << 0x04;
        QTest::newRow("main Enter") << 28u << 0x28;
        QTest::newRow("keypad Enter") << 96u << 0x58;
        QTest::newRow("Num Lock") << 69u << 0x53;
        QTest::newRow("Pause") << 119u << 0x48;
        QTest::newRow("Scroll Lock") << 70u << 0x47;
        QTest::newRow("Print Screen") << 99u << 0x46;
        QTest::newRow("keypad divide") << 98u << 0x54;
        QTest::newRow("keypad multiply") << 55u << 0x55;
        QTest::newRow("right Control") << 97u << 0xE4;
        QTest::newRow("right Alt") << 100u << 0xE6;
        QTest::newRow("left Shift") << 42u << 0xE1;
        QTest::newRow("right Shift") << 54u << 0xE5;
        QTest::newRow("left GUI") << 125u << 0xE3;
        QTest::newRow("right GUI") << 126u << 0;
        QTest::newRow("Menu") << 127u << 0x65;
        QTest::newRow("Up") << 103u << 0x52;
        QTest::newRow("Delete") << 111u << 0x4C;
        QTest::newRow("F11") << 87u << 0x44;
        QTest::newRow("F12") << 88u << 0x45;
        QTest::newRow("non-US backslash") << 86u << 0x64;
        QTest::newRow("F13") << 183u << 0;
        QTest::newRow("F23") << 193u << 0x72;
        QTest::newRow("Mute") << 113u << 0;
        QTest::newRow("Volume Up") << 115u << 0;
        QTest::newRow("unknown") << 240u << 0;
    }
    void evdevRoute()
    {
        QFETCH(uint, evdev);
        QFETCH(int, usage);
        const Set1Key k = evdevToSet1(evdev);
        QCOMPARE(int(usageForScanCode(k.scan, k.extended, false)), usage);
    }
};

QTEST_GUILESS_MAIN(TestKeyUsageTable)
#include "tst_key_usage_table.moc"

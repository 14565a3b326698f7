// The INI convention at the byte level: what the writer produces, what the
// reader accepts, and that a plain QSettings in another process reads our
// files the same (and we read its files).
#include "settings/ini_format.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString u(const char16_t* s)
{
    return QString::fromUtf16(s);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Child modes: the same executable, run as a separate process, reads or
// writes a file with Qt's own INI format and nothing of ours.
int childMain(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    QSettings plain(path, QSettings::IniFormat);
    if (mode == QLatin1String("--dump-ini")) {
        QJsonObject out;
        for (const QString& key : plain.allKeys()) {
            const QVariant v = plain.value(key);
            out.insert(key, v.metaType().id() == QMetaType::QStringList
                                ? QJsonValue::fromVariant(v)
                                : QJsonValue(v.toString()));
        }
        fputs(QJsonDocument(out).toJson(QJsonDocument::Compact).constData(), stdout);
        return 0;
    }
    plain.setValue(QStringLiteral("macro/0"), QStringLiteral("1,\u25ba"));
    plain.setValue(QStringLiteral("name/profile"), QStringList{u(u"\u4e2d\u6587"), QStringLiteral("emptyslotkey")});
    plain.setValue(QStringLiteral("name/one"), QStringList{QStringLiteral("solo")});
    plain.setValue(QStringLiteral("mouse/isGun"), true);
    plain.setValue(QStringLiteral("top"), QStringLiteral("a\\b\"c"));
    plain.sync();
    return plain.status() == QSettings::NoError ? 0 : 1;
}
} // namespace

class TestIniFormat : public QObject {
    Q_OBJECT
private slots:
    void writesValues_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QVariant(QStringLiteral("abc")) << QByteArray("abc");
        QTest::newRow("comma quoted") << QVariant(QStringLiteral("1,A")) << QByteArray("\"1,A\"");
        QTest::newRow("semicolon quoted") << QVariant(QStringLiteral("a;b")) << QByteArray("\"a;b\"");
        QTest::newRow("equals quoted") << QVariant(QStringLiteral("x=y")) << QByteArray("\"x=y\"");
        QTest::newRow("backslash") << QVariant(QStringLiteral("a\\b")) << QByteArray("a\\\\b");
        QTest::newRow("double quote") << QVariant(QStringLiteral("say \"hi\"")) << QByteArray("say \\\"hi\\\"");
        QTest::newRow("arrow") << QVariant(u(u"\u25ba")) << QByteArray("\\x25ba");
        QTest::newRow("arrow then hex letter") << QVariant(u(u"\u25baA")) << QByteArray("\\x25ba\\x41");
        QTest::newRow("arrow then digits") << QVariant(u(u"\u25c419")) << QByteArray("\\x25c4\\x31\\x39");
        QTest::newRow("arrow then non-hex") << QVariant(u(u"\u25baG1")) << QByteArray("\\x25baG1");
        QTest::newRow("macro entry with arrow") << QVariant(u(u"1,\u25bc")) << QByteArray("\"1,\\x25bc\"");
        QTest::newRow("chinese") << QVariant(u(u"\u4e2d\u6587")) << QByteArray("\\x4e2d\\x6587");
        QTest::newRow("latin-1 letter") << QVariant(u(u"caf\u00e9")) << QByteArray("caf\\xe9");
        QTest::newRow("latin-1 then e") << QVariant(u(u"\u00e9e")) << QByteArray("\\xe9\\x65");
        QTest::newRow("surrogate pair") << QVariant(u(u"\U0001F600")) << QByteArray("\\xd83d\\xde00");
        QTest::newRow("tab and newline") << QVariant(QStringLiteral("a\tb\n")) << QByteArray("a\\tb\\n");
        QTest::newRow("leading blank quoted") << QVariant(QStringLiteral(" x")) << QByteArray("\" x\"");
        QTest::newRow("at sign doubled") << QVariant(QStringLiteral("@home")) << QByteArray("@@home");
        QTest::newRow("true") << QVariant(true) << QByteArray("true");
        QTest::newRow("false") << QVariant(false) << QByteArray("false");
        QTest::newRow("int") << QVariant(12000) << QByteArray("12000");
        QTest::newRow("negative") << QVariant(-10) << QByteArray("-10");
        QTest::newRow("one-item string list") << QVariant(QStringList{QStringLiteral("Standard0")})
                                              << QByteArray("Standard0");
        QTest::newRow("two-item string list")
            << QVariant(QStringList{QStringLiteral("Standard0"), QStringLiteral("emptyslotkey")})
            << QByteArray("Standard0, emptyslotkey");
        QTest::newRow("int list") << QVariant(QVariantList{0, 0, 240, 0}) << QByteArray("0, 0, 240, 0");
        QTest::newRow("bool list") << QVariant(QVariantList{true, false}) << QByteArray("true, false");
        QTest::newRow("list of quoted items")
            << QVariant(QStringList{QStringLiteral("1,A"), QStringLiteral("b")}) << QByteArray("\"1,A\", b");
        QTest::newRow("empty list") << QVariant(QStringList{}) << QByteArray("@Invalid()");
        QTest::newRow("invalid") << QVariant() << QByteArray("@Invalid()");
    }
    void writesValues()
    {
        QFETCH(QVariant, value);
        QFETCH(QByteArray, bytes);
        QCOMPARE(IniText::escapeValue(value), bytes);
    }

    void readsValues_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("plain") << QByteArray("abc") << QVariant(QStringLiteral("abc"));
        QTest::newRow("trailing blanks dropped") << QByteArray("abc  ") << QVariant(QStringLiteral("abc"));
        QTest::newRow("quoted comma is one string") << QByteArray("\"1,A\"") << QVariant(QStringLiteral("1,A"));
        QTest::newRow("escaped arrow") << QByteArray("\\x25ba\\x41") << QVariant(u(u"\u25baA"));
        QTest::newRow("uppercase hex") << QByteArray("\\x25BA") << QVariant(u(u"\u25ba"));
        QTest::newRow("raw utf-8") << QByteArray("\xe2\x96\xba" "A") << QVariant(u(u"\u25baA"));
        QTest::newRow("raw utf-8 chinese") << QByteArray("\xe4\xb8\xad\xe6\x96\x87") << QVariant(u(u"\u4e2d\u6587"));
        QTest::newRow("raw latin-1") << QByteArray("caf\xe9") << QVariant(u(u"caf\u00e9"));
        QTest::newRow("surrogates") << QByteArray("\\xd83d\\xde00") << QVariant(u(u"\U0001F600"));
        QTest::newRow("escaped quote and backslash") << QByteArray("\"a\\\"b\\\\c\"") << QVariant(QStringLiteral("a\"b\\c"));
        QTest::newRow("list") << QByteArray("1, A") << QVariant(QStringList{QStringLiteral("1"), QStringLiteral("A")});
        QTest::newRow("list with blanks") << QByteArray("a , b ,c")
                                          << QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        QTest::newRow("list of quoted") << QByteArray("\"1,A\", \"0,50\"")
                                        << QVariant(QStringList{QStringLiteral("1,A"), QStringLiteral("0,50")});
        QTest::newRow("invalid") << QByteArray("@Invalid()") << QVariant();
        QTest::newRow("doubled at") << QByteArray("@@x") << QVariant(QStringLiteral("@x"));
        QTest::newRow("octal nul") << QByteArray("a\\0b") << QVariant(QString(QStringLiteral("a")) + QChar(0) + QStringLiteral("b"));
    }
    void readsValues()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QVariant, value);
        QCOMPARE(IniText::unescapeValue(bytes), value);
    }

    void keysEscaped_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QStringLiteral("dpiValueArray") << QByteArray("dpiValueArray");
        QTest::newRow("blank") << QStringLiteral("My Games") << QByteArray("My%20Games");
        QTest::newRow("slash") << QStringLiteral("a/b") << QByteArray("a\\b");
        QTest::newRow("chinese") << u(u"\u4e2d") << QByteArray("%U4E2D");
        QTest::newRow("latin-1") << u(u"\u00e9") << QByteArray("%E9");
        QTest::newRow("keeps - _ .") << QStringLiteral("a-b_c.d") << QByteArray("a-b_c.d");
        // A backslash at the end would escape the "=" after the key.
        QTest::newRow("slash at the end") << QStringLiteral("k/") << QByteArray("k%2F");
        QTest::newRow("slashes at the end") << QStringLiteral("a/b//") << QByteArray("a\\b\\%2F");
    }

    // Whole files: every key comes back with its value, as the key the
    // settings class addresses it by (no empty path components).
    void keysSurviveFileRoundTrip_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("key ending in a slash") << QStringLiteral("g/k/") << QStringLiteral("g/k");
        QTest::newRow("key of slashes") << QStringLiteral("g///") << QStringLiteral("g");
        QTest::newRow("slash inside") << QStringLiteral("g/a/b") << QStringLiteral("g/a/b");
        QTest::newRow("equals sign") << QStringLiteral("g/a=b") << QStringLiteral("g/a=b");
        QTest::newRow("semicolon") << QStringLiteral("g/a;b") << QStringLiteral("g/a;b");
        QTest::newRow("backslash") << QStringLiteral("g/a\\") << QStringLiteral("g/a\\");
    }
    void keysSurviveFileRoundTrip()
    {
        QFETCH(QString, key);
        QFETCH(QString, readBack);
        QSettings::SettingsMap map{{key, QStringLiteral("x")}, {QStringLiteral("g/next"), QStringLiteral("y")}};
        QSettings::SettingsMap back;
        QVERIFY(IniText::read(IniText::write(map), back));
        QCOMPARE(back.size(), 2);
        QCOMPARE(back.value(readBack).toString(), QStringLiteral("x"));
        QCOMPARE(back.value(QStringLiteral("g/next")).toString(), QStringLiteral("y"));
    }

    // Damaged section names (found by fuzzing): the keys read are those the
    // settings class can look up, and writing them back reads the same.
    void damagedSectionNames_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("unclosed escaped slash") << QByteArray("[%2F=3\nq=1\n") << QStringList{"=3/q"};
        QTest::newRow("empty section") << QByteArray("[]\nq=1\n") << QStringList{"q"};
        QTest::newRow("slash section") << QByteArray("[%2F]\nq=1\n") << QStringList{"q"};
        QTest::newRow("doubled slash") << QByteArray("[a%2F%2Fb]\nq=1\n") << QStringList{"a/b/q"};
    }
    void damagedSectionNames()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, keys);
        QSettings::SettingsMap first, second;
        QVERIFY(IniText::read(text, first));
        QCOMPARE(first.keys(), keys);
        QVERIFY(IniText::read(IniText::write(first), second));
        QCOMPARE(second.keys(), keys);
    }
    void keysEscaped()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, bytes);
        QCOMPARE(IniText::escapeKey(key), bytes);
        QCOMPARE(IniText::unescapeKey(bytes), key);
    }

    void writesWholeFileInStableOrder()
    {
        QSettings::SettingsMap map;
        map.insert(QStringLiteral("mouse/maxDPI"), 12000);
        map.insert(QStringLiteral("mouse/isGun"), true);
        map.insert(QStringLiteral("top"), QStringLiteral("x"));
        map.insert(QStringLiteral("10/k"), 1);
        map.insert(QStringLiteral("2/k"), 1);
        map.insert(QStringLiteral("General/g"), 1);
        map.insert(QStringLiteral("m/10"), QStringLiteral("b"));
        map.insert(QStringLiteral("m/2"), QStringLiteral("a"));
        map.insert(QStringLiteral("m/x/y"), QStringLiteral("c"));
        const QByteArray expected = "[General]\n"
                                    "top=x\n"
                                    "\n"
                                    "[2]\n"
                                    "k=1\n"
                                    "\n"
                                    "[10]\n"
                                    "k=1\n"
                                    "\n"
                                    "[%General]\n"
                                    "g=1\n"
                                    "\n"
                                    "[m]\n"
                                    "2=a\n"
                                    "10=b\n"
                                    "x\\y=c\n"
                                    "\n"
                                    "[mouse]\n"
                                    "isGun=true\n"
                                    "maxDPI=12000\n";
        QCOMPARE(IniText::write(map), expected);
        QSettings::SettingsMap back;
        QVERIFY(IniText::read(expected, back));
        QCOMPARE(back.keys(), map.keys());
        QCOMPARE(back.value(QStringLiteral("m/x/y")).toString(), QStringLiteral("c"));
        QCOMPARE(back.value(QStringLiteral("General/g")).toString(), QStringLiteral("1"));
    }

    void readsForeignLayout()
    {
        // Comments, CRLF, a BOM, blanks around "=", a line continued after a
        // backslash, and a section without a name for General.
        const QByteArray text = "\xef\xbb\xbf; comment\r\n"
                                "[General]\r\n"
                                "a = 1\r\n"
                                "[macro]\r\n"
                                "0=\"1,A\"\r\n"
                                "long=ab\\\r\ncd\r\n"
                                "; another = comment\r\n"
                                "[My%20Games]\r\n"
                                "macroName=x, y\r\n";
        QSettings::SettingsMap map;
        QVERIFY(IniText::read(text, map));
        QCOMPARE(map.value(QStringLiteral("a")).toString(), QStringLiteral("1"));
        QCOMPARE(map.value(QStringLiteral("macro/0")).toString(), QStringLiteral("1,A"));
        QCOMPARE(map.value(QStringLiteral("macro/long")).toString(), QStringLiteral("abcd"));
        QCOMPARE(map.value(QStringLiteral("My Games/macroName")).toStringList(),
                 (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
        QCOMPARE(map.size(), 4);
    }

    void listReadingRules_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariantList>("list");
        QTest::newRow("absent") << QVariant() << QVariantList();
        QTest::newRow("plain string") << QVariant(QStringLiteral("Standard0")) << QVariantList();
        QTest::newRow("two strings") << QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")})
                                     << QVariantList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("ints in memory come back as strings")
            << QVariant(QVariantList{800, 1600}) << QVariantList{QStringLiteral("800"), QStringLiteral("1600")};
        QTest::newRow("int") << QVariant(5) << QVariantList();
        QTest::newRow("one-item string list in memory") << QVariant(QStringList{QStringLiteral("x")}) << QVariantList();
    }
    void listReadingRules()
    {
        QFETCH(QVariant, stored);
        QFETCH(QVariantList, list);
        QCOMPARE(iniList(stored), list);
    }

    void oneItemVariantListSurvives()
    {
        // Stored in binary form, as the convention leaves it; it must come
        // back as a one-item list, not as text.
        const QByteArray bytes = IniText::escapeValue(QVariant(QVariantList{800}));
        QVERIFY(bytes.startsWith("@Variant("));
        const QVariant back = IniText::unescapeValue(bytes);
        QCOMPARE(back.toList().size(), 1);
        QCOMPARE(back.toList().at(0).toInt(), 800);
    }

    void settingsRoundTripThroughFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.bin"));
        {
            auto s = openIni(path);
            s->setValue(QStringLiteral("macro/0"), u(u"1,\u25ba"));
            s->setValue(QStringLiteral("macro/1"), u(u"2,\u25baA"));
            s->setValue(QStringLiteral("profile/profileName"),
                        QStringList{u(u"\u914d\u7f6e1"), QStringLiteral("emptyslotkey")});
        }
        QCOMPARE(readAll(path), QByteArray("[macro]\n"
                                           "0=\"1,\\x25ba\"\n"
                                           "1=\"2,\\x25ba\\x41\"\n"
                                           "\n"
                                           "[profile]\n"
                                           "profileName=\\x914d\\x7f6e\\x31, emptyslotkey\n"));
        auto s = openIni(path);
        QCOMPARE(s->value(QStringLiteral("macro/1")).toString(), u(u"2,\u25baA"));
        QCOMPARE(s->value(QStringLiteral("profile/profileName")).toStringList().first(), u(u"\u914d\u7f6e1"));
    }

    void plainQSettingsInAnotherProcessReadsOurFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ours.bin"));
        {
            auto s = openIni(path);
            s->setValue(QStringLiteral("macro/0"), QStringLiteral("1,A"));
            s->setValue(QStringLiteral("macro/1"), u(u"1,\u25ba"));
            s->setValue(QStringLiteral("macro/2"), u(u"2,\u25c4"));
            s->setValue(QStringLiteral("name/list"), QStringList{u(u"\u4e2d\u6587A"), QStringLiteral("emptyslotkey")});
            s->setValue(QStringLiteral("name/one"), QStringList{QStringLiteral("solo")});
            s->setValue(QStringLiteral("name/quoted"), QStringLiteral("a\\b \"c\"; d=e"));
            s->setValue(QStringLiteral("mouse/isGun"), true);
            s->setValue(QStringLiteral("mouse/dpi"), QVariantList{800, 1600});
            s->setValue(QStringLiteral("top"), u(u"caf\u00e9"));
            s->setValue(QStringLiteral("My Games/macroName"), QStringLiteral("x"));
        }
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--dump-ini"), path});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QJsonObject got = QJsonDocument::fromJson(child.readAllStandardOutput()).object();
        QJsonObject expected;
        expected.insert(QStringLiteral("macro/0"), QStringLiteral("1,A"));
        expected.insert(QStringLiteral("macro/1"), u(u"1,\u25ba"));
        expected.insert(QStringLiteral("macro/2"), u(u"2,\u25c4"));
        expected.insert(QStringLiteral("name/list"), QJsonArray{u(u"\u4e2d\u6587A"), QStringLiteral("emptyslotkey")});
        expected.insert(QStringLiteral("name/one"), QStringLiteral("solo"));
        expected.insert(QStringLiteral("name/quoted"), QStringLiteral("a\\b \"c\"; d=e"));
        expected.insert(QStringLiteral("mouse/isGun"), QStringLiteral("true"));
        expected.insert(QStringLiteral("mouse/dpi"), QJsonArray{QStringLiteral("800"), QStringLiteral("1600")});
        expected.insert(QStringLiteral("top"), u(u"caf\u00e9"));
        expected.insert(QStringLiteral("My Games/macroName"), QStringLiteral("x"));
        QCOMPARE(got, expected);
    }

    void weReadPlainQSettingsFromAnotherProcess()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("theirs.bin"));
        QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--write-ini"), path}), 0);
        auto s = openIni(path);
        QCOMPARE(s->value(QStringLiteral("macro/0")).toString(), u(u"1,\u25ba"));
        QCOMPARE(iniList(s->value(QStringLiteral("name/profile"))),
                 (QVariantList{u(u"\u4e2d\u6587"), QStringLiteral("emptyslotkey")}));
        QCOMPARE(s->value(QStringLiteral("name/one")).toString(), QStringLiteral("solo"));
        QVERIFY(iniList(s->value(QStringLiteral("name/one"))).isEmpty());
        QCOMPARE(s->value(QStringLiteral("mouse/isGun")).toBool(), true);
        QCOMPARE(s->value(QStringLiteral("top")).toString(), QStringLiteral("a\\b\"c"));
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && (qstrcmp(argv[1], "--dump-ini") == 0 || qstrcmp(argv[1], "--write-ini") == 0))
        return childMain(argc, argv);
    QCoreApplication app(argc, argv);
    TestIniFormat test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ini_format.moc"

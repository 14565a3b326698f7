// The key-name table and the macro encoder, run in a JavaScript engine from
// the same library files the scene imports. Expected bytes are written out
// by hand from the block layout.
#include "macros/key_name_table.h"
#include "macros/script_library.h"
#include <QJSEngine>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

using Bytes = QList<int>;

class TestMacroCodec : public QObject {
    Q_OBJECT
    QJSEngine m_engine;
    ScriptLibraries m_libs{&m_engine};
    QJSValue m_keys, m_codec;

    QJSValue call(QJSValue ns, const char* fn, const QJSValueList& args)
    {
        const QJSValue r = ns.property(QLatin1String(fn)).call(args);
        if (r.isError())
            qWarning() << r.toString();
        return r;
    }
    QJSValue actions(const QStringList& list) { return m_engine.toScriptValue(list); }
    static Bytes toBytes(const QJSValue& v)
    {
        Bytes b;
        const int n = v.property(QStringLiteral("length")).toInt();
        for (int i = 0; i < n; ++i)
            b << v.property(quint32(i)).toInt();
        return b;
    }

private slots:
    void initTestCase()
    {
        m_keys = m_libs.load(SceneLibraries::keyCodes());
        m_codec = m_libs.load(SceneLibraries::macroCodec());
        QVERIFY2(m_keys.isObject() && m_codec.isObject(), qPrintable(m_libs.errorString()));
    }

    void scenesImportTheSameLibraries()
    {
        // The scene's QML engine runs the libraries with their own imports.
        QQmlEngine qml;
        QQmlComponent component(&qml);
        component.setData("import QtQuick\n"
                          "import \"qrc:/modules/qml/common/macrocodec.js\" as MacroCodec\n"
                          "import \"qrc:/modules/qml/common/keycodes.js\" as KeyCodes\n"
                          "Item {\n"
                          "  property var block: MacroCodec.deCode([\"1,A\", \"0,50\", \"2,A\"], 1)\n"
                          "  property int count: MacroCodec.recordCount([\"1,A\", \"0,50\", \"2,A\"])\n"
                          "  property string name: KeyCodes.nameOf(0x32)\n"
                          "}\n",
                          QUrl(QStringLiteral("qrc:/modules/qml/pages/probe.qml")));
        std::unique_ptr<QObject> probe(component.create());
        QVERIFY2(probe, qPrintable(component.errorString()));
        QCOMPARE(probe->property("block").toList(),
                 (QVariantList{0x00, 0x01, 0x05, 0x04, 0x81, 0x04, 0x00, 0x00}));
        QCOMPARE(probe->property("count").toInt(), 8);
        QCOMPARE(probe->property("name").toString(), QStringLiteral("\\"));
    }

    void tableHas133RowsInTableOrder()
    {
        const QJSValue table = m_keys.property(QStringLiteral("table"));
        QCOMPARE(table.property(QStringLiteral("length")).toInt(), 133);
        QCOMPARE(table.property(0).property(0).toInt(), 0x04);
        QCOMPARE(table.property(0).property(1).toString(), QStringLiteral("A"));
        QCOMPARE(table.property(132).property(0).toInt(), 0xF4);
        QCOMPARE(table.property(132).property(1).toString(), QStringLiteral("MS-B5"));
        // The C++ view of the table is the same file.
        QCOMPARE(KeyNameTable::rows().size(), 133);
        for (int i = 0; i < 133; ++i) {
            QCOMPARE(KeyNameTable::rows().at(i).code, table.property(quint32(i)).property(0).toInt());
            QCOMPARE(KeyNameTable::rows().at(i).name, table.property(quint32(i)).property(1).toString());
        }
    }

    void lookups_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("codeOfName");
        QTest::newRow("A") << 0x04 << "A" << 0x04;
        QTest::newRow("Z") << 0x1D << "Z" << 0x1D;
        QTest::newRow("1") << 0x1E << "1" << 0x1E;
        QTest::newRow("0") << 0x27 << "0" << 0x27;
        QTest::newRow("backslash first") << 0x31 << "\\" << 0x31;
        QTest::newRow("backslash second") << 0x32 << "\\" << 0x31;
        QTest::newRow("Caps") << 0x39 << "Caps" << 0x39;
        QTest::newRow("F12") << 0x45 << "F12" << 0x45;
        QTest::newRow("right arrow") << 0x4F << QString(QChar(0x25BA)) << 0x4F;
        QTest::newRow("up arrow") << 0x52 << QString(QChar(0x25B2)) << 0x52;
        QTest::newRow("KP1") << 0x59 << "KP1" << 0x59;
        QTest::newRow("KP0") << 0x62 << "KP0" << 0x62;
        QTest::newRow("KP=") << 0x67 << "KP=" << 0x67;
        QTest::newRow("F24") << 0x73 << "F24" << 0x73;
        QTest::newRow("Keypad") << 0x85 << "Keypad" << 0x85;
        QTest::newRow("Intl2 first") << 0x88 << "Intl2" << 0x88;
        QTest::newRow("Intl2 second") << 0x89 << "Intl2" << 0x88;
        QTest::newRow("Lang2") << 0x91 << "Lang2" << 0x91;
        QTest::newRow("LCtrl") << 0xE0 << "LCtrl" << 0xE0;
        QTest::newRow("RWin") << 0xE7 << "RWin" << 0xE7;
        QTest::newRow("MS-L") << 0xF0 << "MS-L" << 0xF0;
        QTest::newRow("MS-B4") << 0xF3 << "MS-B4" << 0xF3;
        QTest::newRow("not in table") << 0x86 << "" << 0;
        QTest::newRow("past the table") << 0xF5 << "" << 0;
    }
    void lookups()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QFETCH(int, codeOfName);
        QCOMPARE(call(m_keys, "nameOf", {code}).toString(), name);
        QCOMPARE(KeyNameTable::nameOf(code), name);
        if (!name.isEmpty()) {
            QCOMPARE(call(m_keys, "codeOf", {name}).toInt(), codeOfName);
            QCOMPARE(KeyNameTable::codeOf(name), codeOfName);
        }
    }

    void unknownNameGivesZero()
    {
        QCOMPARE(call(m_keys, "codeOf", {QStringLiteral("Hyper")}).toInt(), 0);
        QCOMPARE(call(m_keys, "codeOf", {QString()}).toInt(), 0);
    }

    void languageNamesReplaceTheColumn()
    {
        QStringList german = {QStringLiteral("A-de"), QStringLiteral("B-de")};
        call(m_keys, "setNames", {m_engine.toScriptValue(german)});
        QCOMPARE(call(m_keys, "nameOf", {0x05}).toString(), QStringLiteral("B-de"));
        QCOMPARE(call(m_keys, "codeOf", {QStringLiteral("A-de")}).toInt(), 0x04);
        QCOMPARE(call(m_keys, "codeOf", {QStringLiteral("A")}).toInt(), 0);
        // Rows the language does not name keep their built-in names.
        QCOMPARE(call(m_keys, "nameOf", {0x06}).toString(), QStringLiteral("C"));
        // The encoder looks names up in the same table.
        QCOMPARE(toBytes(call(m_codec, "deCode", {actions({"1,A-de", "2,A-de"}), 1})),
                 (Bytes{0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0x00, 0x00}));
        call(m_keys, "resetNames", {});
        QCOMPARE(call(m_keys, "nameOf", {0x04}).toString(), QStringLiteral("A"));
    }

    void deCode_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<Bytes>("expected");
        QTest::newRow("A down, 50 ms, A up") << QStringList{"1,A", "0,50", "2,A"} << 1
                                            << Bytes{0x00, 0x01, 0x05, 0x04, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("A down, 2000 ms, A up") << QStringList{"1,A", "0,2000", "2,A"} << 1
            << Bytes{0x00, 0x01, 0x00, 0x04, 0x00, 0x01, 0x00, 0x64, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("leading delay, left click") << QStringList{"0,30", "3,MS-L", "4,MS-L"} << 1
                                                  << Bytes{0x00, 0x01, 0x01, 0xF0, 0x81, 0xF0, 0x00, 0x00};
        QTest::newRow("0 ms gives 1") << QStringList{"1,B", "0,0", "2,B"} << 1
                                      << Bytes{0x00, 0x01, 0x01, 0x05, 0x81, 0x05, 0x00, 0x00};
        QTest::newRow("no delay gives 1") << QStringList{"1,B", "2,B"} << 1
                                          << Bytes{0x00, 0x01, 0x01, 0x05, 0x81, 0x05, 0x00, 0x00};
        QTest::newRow("1260 ms") << QStringList{"1,A", "0,1260", "2,A"} << 1
                                 << Bytes{0x00, 0x01, 0x7E, 0x04, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("1270 ms") << QStringList{"1,A", "0,1270", "2,A"} << 1
            << Bytes{0x00, 0x01, 0x00, 0x04, 0x00, 0x01, 0x00, 0x3F, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("1270 ms after a release") << QStringList{"2,A", "0,1270", "1,A"} << 1
            << Bytes{0x00, 0x01, 0x80, 0x04, 0x00, 0x01, 0x00, 0x3F, 0x01, 0x04, 0x00, 0x00};
        QTest::newRow("scale 1 top") << QStringList{"1,A", "0,999990", "2,A"} << 1
            << Bytes{0x00, 0x01, 0x00, 0x04, 0x00, 0x01, 0xC3, 0x4F, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("scale 2 bottom") << QStringList{"1,A", "0,1000000", "2,A"} << 1
            << Bytes{0x00, 0x01, 0x00, 0x04, 0x00, 0x02, 0x4E, 0x20, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("scale 2 top") << QStringList{"1,A", "0,2999990", "2,A"} << 1
            << Bytes{0x00, 0x01, 0x00, 0x04, 0x00, 0x02, 0xEA, 0x5F, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("scale 3 bottom") << QStringList{"1,A", "0,3000000", "2,A"} << 1
            << Bytes{0x00, 0x01, 0x00, 0x04, 0x00, 0x03, 0x75, 0x30, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("scale 3 top") << QStringList{"1,A", "0,5999990", "2,A"} << 1
            << Bytes{0x00, 0x01, 0x00, 0x04, 0x00, 0x03, 0xEA, 0x5F, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("40 + 60 ms summed") << QStringList{"1,A", "0,40", "0,60", "2,A"} << 1
                                           << Bytes{0x00, 0x01, 0x0A, 0x04, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("split runs summed past the attribute") << QStringList{"1,A", "0,700", "0,700", "2,A"} << 1
            << Bytes{0x00, 0x01, 0x00, 0x04, 0x00, 0x01, 0x00, 0x46, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("trailing delays dropped") << QStringList{"1,A", "0,50", "2,A", "0,500", "0,3000"} << 1
                                                 << Bytes{0x00, 0x01, 0x05, 0x04, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("delays only") << QStringList{"0,50", "0,60"} << 1 << Bytes{0x00, 0x01};
        QTest::newRow("empty") << QStringList{} << 1 << Bytes{0x00, 0x01};
        QTest::newRow("only action is last") << QStringList{"0,50", "1,A"} << 1 << Bytes{0x00, 0x01};
        QTest::newRow("repeat 300") << QStringList{"1,A", "0,50", "2,A"} << 300
                                    << Bytes{0x01, 0x2C, 0x05, 0x04, 0x81, 0x04, 0x00, 0x00};
        QTest::newRow("repeat 0") << QStringList{} << 0 << Bytes{0x00, 0x00};
        QTest::newRow("backslash 0x32 plays as 0x31") << QStringList{"1,\\", "2,\\"} << 1
                                                     << Bytes{0x00, 0x01, 0x01, 0x31, 0x81, 0x31, 0x00, 0x00};
        QTest::newRow("Intl2 plays as 0x88") << QStringList{"1,Intl2", "2,Intl2"} << 1
                                            << Bytes{0x00, 0x01, 0x01, 0x88, 0x81, 0x88, 0x00, 0x00};
        QTest::newRow("unknown key sent as 0") << QStringList{"1,", "0,20", "2,"} << 1
                                               << Bytes{0x00, 0x01, 0x02, 0x00, 0x81, 0x00, 0x00, 0x00};
        QTest::newRow("arrow and mouse") << QStringList{"1,\u25BA", "0,10", "2,\u25BA", "3,MS-B5", "4,MS-B5"} << 2
            << Bytes{0x00, 0x02, 0x01, 0x4F, 0x81, 0x4F, 0x01, 0xF4, 0x81, 0xF4, 0x00, 0x00};
    }
    void deCode()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, repeat);
        QFETCH(Bytes, expected);
        QCOMPARE(toBytes(call(m_codec, "deCode", {actions(entries), repeat})), expected);
        QCOMPARE(call(m_codec, "recordCount", {actions(entries)}).toInt(), int(expected.size()));
    }

    void typeAndInfoItemsEncodeLikeEntries()
    {
        QJSValue list = m_engine.evaluate(QStringLiteral(
            "[{type: 1, info: 'A'}, {type: 0, info: '50'}, [2, 'A']]"));
        QCOMPARE(toBytes(call(m_codec, "deCode", {list, 1})),
                 (Bytes{0x00, 0x01, 0x05, 0x04, 0x81, 0x04, 0x00, 0x00}));
    }

    void overflowIsMarkedByTheLength()
    {
        QStringList entries;
        for (int i = 0; i < 31; ++i)
            entries << "1,A" << "0,2000" << "2,A";
        // 2 + 62 actions * 2 + 31 extended delays * 4 + 2 = 252 bytes.
        const QJSValue block = call(m_codec, "deCode", {actions(entries), 1});
        QCOMPARE(block.property(QStringLiteral("length")).toInt(), 252);
        QVERIFY(call(m_codec, "overflows", {block}).toBool());
        QCOMPARE(call(m_codec, "recordCount", {actions(entries)}).toInt(), 252);
        const QJSValue small = call(m_codec, "deCode", {actions({"1,A", "2,A"}), 1});
        QVERIFY(!call(m_codec, "overflows", {small}).toBool());
    }
};

QTEST_GUILESS_MAIN(TestMacroCodec)
#include "tst_macro_codec.moc"

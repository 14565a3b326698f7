// A macro from the recording to the mouse: the real scene records keys from
// the global capture's forwarding, the button page binds the macro to
// button 4 (index 3), and "Save" sends the key matrix. The virtual
// mouse then holds the encoded macro in the button's slot and the macro
// entry in its key matrix.
#include "app/myqquickview.h"
#include "app/widget.h"
#include "device/clock.h"
#include "device/virtual_mouse.h"
#include "settings/ini_format.h"
#include <QProcess>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray hexBytes(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}
} // namespace

class TestMacroEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    VirtualClock m_clock;

    void settle()
    {
        for (int i = 0; i < 6; ++i)
            QCoreApplication::processEvents();
    }

    QVariant call(QObject* object, const char* method, const QVariantList& args = {})
    {
        QVariant result;
        bool ok = false;
        switch (args.size()) {
        case 0: ok = QMetaObject::invokeMethod(object, method, Q_RETURN_ARG(QVariant, result)); break;
        case 1: ok = QMetaObject::invokeMethod(object, method, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, args[0])); break;
        case 2: ok = QMetaObject::invokeMethod(object, method, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, args[0]), Q_ARG(QVariant, args[1])); break;
        }
        if (!ok)
            qWarning("cannot call %s", method);
        return result;
    }

private slots:
    void recordBindAndSave()
    {
        QVERIFY(m_dir.isValid());
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(HALCYON_SOURCE_DIR "/data/modules"), m_dir.path()});
        QVERIFY(QDir::setCurrent(m_dir.path()));
        {
            QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
            config.setValue(QStringLiteral("mouse/icType"), QStringLiteral("553"));
            config.setValue(QStringLiteral("common/language"), QStringLiteral("English"));
        }
        VirtualMouse mouse;
        Widget w;
        w.hid().setPort(&mouse);
        w.hid().setClock(&m_clock);
        w.checkDevice();
        settle();

        myQQuickView* view = w.view();
        QQuickItem* root = view->rootObject();
        QVERIFY(root);
        // The editor is made when its tab first opens.
        call(root, "selectTab", {2});
        QObject* editor = root->findChild<QObject*>(QStringLiteral("macroEditor"));
        QVERIFY(editor);

        // Record "A" pressed and released into a new macro.
        QVariant created = call(editor, "createEntry", {0, QStringLiteral("Combo")});
        QVERIFY(!created.isNull());
        editor->setProperty("isDelayRecorded", false);
        call(editor, "startRecording");
        QVERIFY(editor->property("isCapturing").toBool());
        view->forwardKeyboard(0x04, true);
        view->forwardKeyboard(0x04, false);
        settle();
        call(editor, "stopRecording", {true});
        const QStringList recorded = view->loadMacroIni(0, QStringLiteral("Combo"));
        QCOMPARE(recorded, (QStringList{"1,A", "2,A", "1"}));

        // Bind it to button index 3 through the button page (run once), then "Save".
        QObject* keyPage = root->findChild<QObject*>(QStringLiteral("keyMatrixPage"));
        QVERIFY(keyPage);
        QVariantMap entry{{"name", QStringLiteral("Combo")}, {"level", 0}, {"chain", QVariantList()}};
        QVariant assigned;
        QVERIFY(QMetaObject::invokeMethod(keyPage, "assignMacro", Q_RETURN_ARG(QVariant, assigned),
                                          Q_ARG(QVariant, 3), Q_ARG(QVariant, 0), Q_ARG(QVariant, entry)));
        QVERIFY(assigned.toBool());
        call(root, "saveAllData");
        settle();
        QCOMPARE(view->getData(QStringLiteral("mouseMacroKey/3"), false).toString(), QStringLiteral("Combo"));
        QStringList stored3;
        for (const QVariant& v : view->getDataList(QStringLiteral("mouseKeyMatrix/3"), false))
            stored3 << v.toString();
        QCOMPARE(stored3, (QStringList{"4", "0", "3", "0"}));

        // Key A down then up, one unit of delay each, then the terminator.
        QByteArray block = hexBytes("00 01 01 04 81 04 00 00");
        block.append(QByteArray(128 - block.size(), '\0'));
        const VirtualFirmware::State& state = mouse.firmware().state();
        QCOMPARE(state.macros.value(4).toHex(' '), block.toHex(' '));
        QVERIFY(state.keyMatrices.contains(1));
        // A macro entry downloads as type 09 with the slot counted from 1;
        // the device keeps positions 3 and 4 swapped.
        QCOMPARE(state.keyMatrices.value(1).mid(16, 4).toHex(' '), QByteArray("09 00 04 00"));
    }

    // Renames and deletes write only the lists they change; after each, the
    // name index holds exactly what a full rewrite from the editor's tree
    // gives (no stale list, none missing), and a fresh load shows the tree.
    void indexFollowsRenamesAndDeletes()
    {
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QDir(QStringLiteral("modules")).removeRecursively();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(HALCYON_SOURCE_DIR "/data/modules"), m_dir.path()});
        Widget w;
        w.checkDevice();  // no mouse: the scene still initialises
        settle();
        call(w.view()->rootObject(), "selectTab", {2});
        QObject* editor = w.view()->rootObject()->findChild<QObject*>(QStringLiteral("macroEditor"));
        QVERIFY(editor);
        auto js = [editor](const QString& code) {
            QQmlExpression expr(qmlContext(editor), editor, code);
            const QVariant v = expr.evaluate();
            if (expr.hasError())
                qWarning("%s", qPrintable(expr.error().toString()));
            return v;
        };
        const QString index = QStringLiteral("modules/setting/name.bin");
        auto readIndex = [&] {
            QFile f(index);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        // Games { FPS { Burst, Spray, Deep { Tap } }, Solo }, Other { Lone }, Top
        js(QStringLiteral(
            "(function() { loadTree(); function add(parent, type, name) { selectNode(parent); return createEntry(type, name) }"
            " var g = add(null, 1, 'Games'); var f = add(g, 1, 'FPS'); add(f, 0, 'Burst'); add(f, 0, 'Spray');"
            " var d = add(f, 1, 'Deep'); add(d, 0, 'Tap'); add(g, 0, 'Solo');"
            " var o = add(null, 1, 'Other'); add(o, 0, 'Lone'); add(null, 0, 'Top'); selectNode(null) })()"));
        const QString find = QStringLiteral(
            "(function(path) { var n = tree; path.split('/').forEach(function(p) {"
            " n = n.children.filter(function(c) { return c.name === p })[0] }); return n })");
        const QStringList steps{
            QStringLiteral("renameEntry(%1('Games/FPS/Spray'), 'Hose')"),
            QStringLiteral("renameEntry(%1('Games/FPS'), 'Shooters')"),
            QStringLiteral("deleteEntry(%1('Games/Shooters/Burst'))"),
            QStringLiteral("deleteEntry(%1('Games/Shooters'))"),
            QStringLiteral("renameEntry(%1('Games'), 'Play')"),
            QStringLiteral("deleteEntry(%1('Play'))"),
        };
        for (const QString& step : steps) {
            js(step.arg(find));
            const QByteArray after = readIndex();
            // Every list of the tree, written again from the tree: nothing changes...
            js(QStringLiteral("ui_View.updataMacroLists(treeWrites(tree, []))"));
            QCOMPARE(readIndex(), after);
            // ...and no list of a folder that is gone stayed behind.
            const QStringList groups = js(QStringLiteral(
                "(function() { var out = ['macro']; function walk(f) { f.children.forEach(function(c) {"
                " if (c.type === 1) { if (c.children.length > 0) out.push(chainOf(c).join('')); walk(c) } }) }"
                " walk(tree); return out.sort() })()")).toStringList();
            QStringList stored;
            for (const QString& g : openIni(index)->childGroups()) {
                if (g != QLatin1String("gun") && g != QLatin1String("profile"))
                    stored << g;
            }
            stored.sort();
            QCOMPARE(stored, groups);
            // A fresh load shows the same entries.
            const QString rows = QStringLiteral(
                "(function() { var out = []; function walk(f, p) { f.children.forEach(function(c) {"
                " out.push(p + c.name); walk(c, p + c.name + '/') }) } walk(tree, ''); return out.join(',') })()");
            const QString before = js(rows).toString();
            js(QStringLiteral("loadTree()"));
            QCOMPARE(js(rows).toString(), before);
        }
        QCOMPARE(js(QStringLiteral("tree.children.map(function(c) { return c.name }).join(',')")).toString(),
                 QStringLiteral("Other,Top"));
    }
};

QTEST_MAIN(TestMacroEndToEnd)
#include "tst_macro_end_to_end.moc"

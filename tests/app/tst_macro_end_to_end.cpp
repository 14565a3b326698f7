// A macro from the recording to the mouse: the real scene records keys from
// the global capture's forwarding, the button page binds the macro to
// button 4 (index 3), and "Save" sends the key matrix. The virtual
// mouse then holds the encoded macro in the button's slot and the macro
// entry in its key matrix.
#include "app/myqquickview.h"
#include "app/widget.h"
#include "device/clock.h"
#include "device/virtual_mouse.h"
#include <QProcess>
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
        QObject* editor = root->findChild<QObject*>(QStringLiteral("macroEditor"));
        QVERIFY(editor);

        // Record "A" pressed and released into a new macro.
        call(root, "selectTab", {2});
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
};

QTEST_MAIN(TestMacroEndToEnd)
#include "tst_macro_end_to_end.moc"

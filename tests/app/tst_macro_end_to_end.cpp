// A macro from the recording to the mouse: the real scene records keys from
// the global capture's forwarding, the macro is bound to button 4 (index 3)
// as the button page binds it, and the key matrix is saved. The virtual
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

QVariantList listOf(const QByteArray& bytes)
{
    QVariantList list;
    for (char b : bytes)
        list << int(uchar(b));
    return list;
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
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(HALCYON_BINARY_DIR "/modules"), m_dir.path()});
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
        const QStringList stored = view->loadMacroIni(0, QStringLiteral("Combo"));
        QCOMPARE(stored, (QStringList{"1,A", "2,A", "1"}));

        // Bind it to button index 3 as the button page does: its name under
        // the button's slot, the macro sent to that slot, then the key matrix
        // saved with the macro entry 04 (run once) 03 00.
        QByteArray office = hexBytes("00 00 F0 00 00 00 F1 00 00 00 F2 00 00 00 F4 00 00 00 F3 00 05 00 01 00"
                                     "05 00 02 00 00 F0 1E 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                     "00 00 00 00 00 00 00 00 FF 00 01 00 FF 00 02 00");
        office.replace(12, 4, hexBytes("04 00 03 00"));
        view->setData(QStringLiteral("mouseMacroKey/3"), QStringLiteral("Combo"));
        view->setDataList(QStringLiteral("mouseKeyMatrix/3"), listOf(hexBytes("04 00 03 00")));
        call(editor, "resendToBoundButtons", {QStringLiteral("Combo")});
        view->mouseSetKeyMatrix(0, listOf(office), listOf(office), true, {9, 9, 9});
        settle();

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

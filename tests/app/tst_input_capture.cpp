// Key-state suppression and callback wiring of the input capture, and, on
// an X server, desktop-wide capture of keys injected with XTest.
#include "app/input_capture.h"
#include "app/input_capture_fallback.h"
#include "app/root_call.h"
#include "app/widget.h"
#include <QDir>
#include <QtTest>
#ifdef HALCYON_HAVE_XINPUT
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
// X11's event-type macros clash with Qt's enumerators.
#undef KeyPress
#undef KeyRelease
#endif

namespace {
struct Report {
    int code;
    bool isDown;
    bool operator==(const Report& o) const { return code == o.code && isDown == o.isDown; }
};
QList<Report> g_keys;
QList<Report> g_buttons;
int g_context = 0;

void onKey(int usage, bool isDown, void* context)
{
    QCOMPARE(context, static_cast<void*>(&g_context));
    g_keys.append({usage, isDown});
}

void onButton(int code, bool isDown, int, int, void*)
{
    g_buttons.append({code, isDown});
}
} // namespace

QT_BEGIN_NAMESPACE
namespace QTest {
template <>
char* toString(const Report& r)
{
    return qstrdup(QByteArray::number(r.code, 16) + (r.isDown ? " down" : " up"));
}
} // namespace QTest
QT_END_NAMESPACE

class TestInputCapture : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        InputCapture::resetKeyState();
        InputCapture::registerKeyboardCallback(onKey, &g_context);
        InputCapture::registerMouseCallback(onButton, &g_context);
        g_keys.clear();
        g_buttons.clear();
    }

    void holdingAReportsOneDownOneUp()
    {
        for (int i = 0; i < 5; ++i)
            InputCapture::keyEvent(0x1E, false, false, true);  // auto-repeat
        InputCapture::keyEvent(0x1E, false, false, false);
        InputCapture::keyEvent(0x1E, false, false, false);
        QCOMPARE(g_keys, (QList<Report>{{0x04, true}, {0x04, false}}));
    }

    void keyCases_data()
    {
        QTest::addColumn<QList<uint>>("events");  // scan | 0x100 extended | 0x200 Alt
        QTest::addColumn<int>("usage");
        QTest::newRow("keypad Enter") << QList<uint>{0x11C} << 0x58;
        QTest::newRow("main Enter") << QList<uint>{0x1C} << 0x28;
        QTest::newRow("Control+Break") << QList<uint>{0x146} << 0x48;
        QTest::newRow("Alt+Print Screen") << QList<uint>{0x254} << 0x46;
        QTest::newRow("right Windows key") << QList<uint>{0x15C} << 0;
        QTest::newRow("F13") << QList<uint>{0x64} << 0;
        QTest::newRow("media: Mute") << QList<uint>{0x120} << 0;
    }
    void keyCases()
    {
        QFETCH(QList<uint>, events);
        QFETCH(int, usage);
        for (uint e : events) {
            InputCapture::keyEvent(e & 0xFF, e & 0x100, e & 0x200, true);
            InputCapture::keyEvent(e & 0xFF, e & 0x100, e & 0x200, false);
        }
        if (usage == 0)
            QVERIFY(g_keys.isEmpty());
        else
            QCOMPARE(g_keys, (QList<Report>{{usage, true}, {usage, false}}));
    }

    // A key's state changes even while nobody listens.
    void stateKeptWithoutCallback()
    {
        InputCapture::registerKeyboardCallback(nullptr, nullptr);
        InputCapture::keyEvent(0x1E, false, false, true);
        QVERIFY(InputCapture::keyState(0x04));
        InputCapture::registerKeyboardCallback(onKey, &g_context);
        InputCapture::keyEvent(0x1E, false, false, true);
        QVERIFY(g_keys.isEmpty());
    }

    void leftDoubleClickIsDownUpDownUp()
    {
        // Should a double-click message come along, it is ignored.
        for (unsigned m : {0x0201u, 0x0202u, 0x0201u, 0x0203u, 0x0202u})
            InputCapture::mouseMessage(m, 10, 20);
        QCOMPARE(g_buttons, (QList<Report>{{0xF0, true}, {0xF0, false}, {0xF0, true}, {0xF0, false}}));
        g_buttons.clear();
        InputCapture::mouseMessage(0x020A, 0, 0);  // wheel
        InputCapture::mouseMessage(0x0200, 0, 0);  // move
        QVERIFY(g_buttons.isEmpty());
    }

    // Without desktop-wide capture, the window's own key and button events
    // go through the same tables (X keycode = evdev code + 8).
    void windowFallback()
    {
        QWidget window;
        QWidget child(&window);
        QWidget elsewhere;
        InputCapture::useWindowFallback(&window);
        auto key = [](QWidget* to, QEvent::Type type, quint32 nativeScanCode) {
            QKeyEvent e(type, 0, Qt::NoModifier, nativeScanCode, 0, 0);
            QCoreApplication::sendEvent(to, &e);
        };
        key(&child, QEvent::KeyPress, 30 + 8);
        key(&child, QEvent::KeyPress, 30 + 8);  // auto-repeat
        key(&child, QEvent::KeyRelease, 30 + 8);
        key(&window, QEvent::KeyPress, 96 + 8);  // keypad Enter
        key(&elsewhere, QEvent::KeyPress, 28 + 8);  // not our window
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), QPointF(5, 6),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&child, &press);
        InputCapture::stopWindowFallback();
        key(&child, QEvent::KeyRelease, 96 + 8);  // no longer watched
        QCOMPARE(g_keys, (QList<Report>{{0x04, true}, {0x04, false}, {0x58, true}}));
        QCOMPARE(g_buttons, (QList<Report>{{0xF1, true}}));
    }

    // Under an X server: keys and a button injected with XTest reach the
    // scene's "detectKeyboard" and "detectMouse" through Widget.
    void xtestReachesTheScene()
    {
#ifndef HALCYON_HAVE_XINPUT
        QSKIP("built without X11");
#else
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X server (DISPLAY is not set)");
        QVERIFY(InputCapture::install());
        // A copy of the shipped data tree, never the build folder's working one.
        QTemporaryDir work;
        QCOMPARE(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(HALCYON_SOURCE_DIR "/data/modules"), work.path()}), 0);
        QVERIFY(QDir::setCurrent(work.path()));
        Widget widget;
        InputCapture::registerKeyboardCallback(&Widget::keyboardCallback, &widget);
        InputCapture::registerMouseCallback(&Widget::mouseCallback, &widget);
        QStringList calls;
        setRootCallObserver([&](const QString& name, const QVariantList& args) {
            if (name.startsWith(QLatin1String("detect"))) {
                QStringList a;
                for (const QVariant& v : args)
                    a << v.toString();
                calls << name + QLatin1Char(' ') + a.join(QLatin1Char(','));
            }
        });
        Display* dpy = XOpenDisplay(nullptr);
        QVERIFY(dpy);
        const unsigned keycodeA = 30 + 8, keycodeKpEnter = 96 + 8;
        XTestFakeKeyEvent(dpy, keycodeA, True, 0);
        XTestFakeKeyEvent(dpy, keycodeA, True, 0);  // a repeat: not reported
        XTestFakeKeyEvent(dpy, keycodeA, False, 0);
        XTestFakeKeyEvent(dpy, keycodeKpEnter, True, 0);
        XTestFakeKeyEvent(dpy, keycodeKpEnter, False, 0);
        XTestFakeButtonEvent(dpy, 3, True, 0);
        XTestFakeButtonEvent(dpy, 3, False, 0);
        XFlush(dpy);
        QTRY_COMPARE_WITH_TIMEOUT(calls.size(), 6, 10000);
        QCOMPARE(calls.mid(0, 4), (QStringList{QStringLiteral("detectKeyboard true,4"),
                                               QStringLiteral("detectKeyboard false,4"),
                                               QStringLiteral("detectKeyboard true,88"),
                                               QStringLiteral("detectKeyboard false,88")}));
        QVERIFY(calls.at(4).startsWith(QLatin1String("detectMouse true,241,")));
        QVERIFY(calls.at(5).startsWith(QLatin1String("detectMouse false,241,")));
        XCloseDisplay(dpy);
        setRootCallObserver(nullptr);
        InputCapture::registerKeyboardCallback(nullptr, nullptr);
        InputCapture::registerMouseCallback(nullptr, nullptr);
        InputCapture::uninstall();
#endif
    }
};

QTEST_MAIN(TestInputCapture)
#include "tst_input_capture.moc"

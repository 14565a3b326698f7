// halcyon-demo: the program with the virtual mouse plugged in instead of
// the USB device, so that every page can be tried without the hardware.
// Its tray menu has "Press DPI button", which makes the mouse switch to its
// next DPI stage and report it, as the button on the real mouse does.
// --mouse-log FILE (for tests) appends what the mouse receives to FILE.
#include "app/application_startup.h"
#include "app/myqquickview.h"
#include "app/widget.h"
#include "device/virtual_mouse.h"
#include "settings/config_store.h"
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QMenu>
#include <QMutex>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {
std::unique_ptr<VirtualMouse> g_mouse;
QString g_mouseLog;

void appendToMouseLog(const QByteArray& line)
{
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    QFile file(g_mouseLog);
    if (file.open(QIODevice::Append))
        file.write(line + '\n');
}

// Every HID call the mouse receives as a line (as halcyon-sim prints it),
// and after each command its state, "state {JSON}" (as halcyon-sim's dump):
// a test on a real desktop reads what reached the mouse from the file.
void logMouse()
{
    g_mouse->trace = [](const QString& line) {
        appendToMouseLog(line.toUtf8());
        // The trace may come from the listener thread, inside the mouse's
        // lock: the state is read on the GUI thread afterwards.
        if (line == QLatin1String("close cmd")) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), [] {
                if (g_mouse)
                    appendToMouseLog("state " + QJsonDocument(g_mouse->dump()).toJson(QJsonDocument::Compact));
            }, Qt::QueuedConnection);
        }
    };
}

void pressDpiButton()
{
    VirtualFirmware::State& s = g_mouse->firmware().state();
    const int stages = s.dpiStageCount >= 1 && s.dpiStageCount <= 7 ? s.dpiStageCount : 7;
    s.currentDpi = s.currentDpi % stages + 1;
    g_mouse->sendEvent(QByteArray::fromRawData("\x06\x07\x00", 3) + char(s.currentDpi));
}

void plugVirtualMouse(Widget& widget)
{
    g_mouse = std::make_unique<VirtualMouse>(widget.view()->config().traits().is560() ? VirtualFirmware::Family::F560
                                                                     : VirtualFirmware::Family::F553);
    if (!g_mouseLog.isEmpty())
        logMouse();
    widget.hid().setPort(g_mouse.get());
    widget.stopSystemHotplug();
    Widget* w = &widget;
    g_mouse->onPlugChange = [w] {
        QMetaObject::invokeMethod(w, [w] { w->deviceChangeNotified(); }, Qt::QueuedConnection);
    };
    auto* press = new QAction(QStringLiteral("Press DPI button"), &widget);
    QObject::connect(press, &QAction::triggered, press, &pressDpiButton);
    QMenu* menu = widget.trayMenu();
    menu->insertAction(menu->actions().value(0), press);
}

const char kUsageLine[] = "usage: halcyon-demo [--family 553|560] [--mouse-log FILE] [--help]\n";
const char kHelp[] =
    "Starts Halcyon with a virtual mouse plugged in, so that every page can be\n"
    "tried without the hardware. The tray menu's \"Press DPI button\" makes the\n"
    "mouse switch to its next DPI stage, as the button on the mouse does.\n"
    "\n"
    "  --family 553|560  the mouse family to show; without it, the one the\n"
    "                    configuration names (mouse/icType). The configuration\n"
    "                    file is left as it is.\n"
    "  --mouse-log FILE  append every call the virtual mouse receives, and its\n"
    "                    state after each command, to FILE (for tests)\n"
    "  --help            print this help and exit\n"
    "\n"
    "Other arguments go to Qt (for example -platform offscreen).\n";

// Takes the demo's own options out of argv; the rest is Qt's. Returns the
// exit status when the demo must not start (help, usage error), else -1.
int takeDemoOptions(int& argc, char** argv)
{
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            std::fputs(kUsageLine, stdout);
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(a, "--family") == 0 || std::strncmp(a, "--family=", 9) == 0) {
            const char* family = a[8] == '=' ? a + 9 : (i + 1 < argc ? argv[++i] : "");
            if (std::strcmp(family, "553") != 0 && std::strcmp(family, "560") != 0) {
                std::fprintf(stderr, "halcyon-demo: --family takes 553 or 560\n%s", kUsageLine);
                return 2;
            }
            ConfigStore::overrideFamily(QString::fromLatin1(family));
            continue;
        }
        if (std::strcmp(a, "--mouse-log") == 0 && i + 1 < argc) {
            g_mouseLog = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        rest.push_back(argv[i]);
    }
    argc = int(rest.size());
    for (int i = 0; i < argc; ++i)
        argv[i] = rest[size_t(i)];
    argv[argc] = nullptr;
    return -1;
}
} // namespace

int main(int argc, char** argv)
{
    if (const int rc = takeDemoOptions(argc, argv); rc >= 0)
        return rc;
    StartupOptions options;
    options.customize = plugVirtualMouse;
    const int rc = runApplication(argc, argv, options);
    g_mouse.reset();  // the Widget, and with it the listener, is gone by now
    return rc;
}

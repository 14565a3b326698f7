#include "app/ctl/ctl_tool.h"
#include "app/application_startup.h"
#include "app/desktop_notifier.h"
#include "app/ctl/ctl_arguments.h"
#include "app/ctl/ctl_commands.h"
#include "app/ctl/ctl_protocol.h"
#include "app/instance_channel.h"
#include "app/myqquickview.h"
#include "app/qt_single_core_application.h"
#ifdef Q_OS_LINUX
#include "app/session_bus.h"
#endif
#include "app/widget.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QQuickItem>
#include <cstdio>
#include <memory>

namespace {
// A request may wait for the mouse: a profile switch sends a few dozen
// paced reports.
constexpr int ReplyTimeoutMs = 120000;
// Detection and the scene's first initialisation.
constexpr int StartTimeoutMs = 20000;

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int finish(const CtlReply& reply)
{
    print(stdout, reply.out);
    print(stderr, reply.err);
    return reply.code;
}

// The program's diagnostics are not the tool's output.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        print(stderr, QStringLiteral("halcyonctl: ") + message + QLatin1Char('\n'));
}

// A command-line run (or a shell's Tab completion) is no event for the
// desktop: the window's notices ("Detect Device", DPI switches) stay unsent.
class SilentNotifier : public DesktopNotifier {
public:
    void notify(const QString&, const QString&, int) override {}
};

bool sceneReady(Widget& widget)
{
    QObject* root = widget.view() ? widget.view()->rootObject() : nullptr;
    return root && root->property("isPownOn").toBool();
}

CtlReply runOnItsOwn(const QStringList& args, const CtlToolOptions& options)
{
    keepNewFilesPrivate();
    enterDataDirectory();
    chooseSceneRenderer();
    static SilentNotifier silent;
    DesktopNotifier::install(&silent);
    auto widget = std::make_unique<Widget>();
    if (options.customize)
        options.customize(*widget);
    widget->stopSystemHotplug();
    widget->checkDevice();
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!sceneReady(*widget) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (options.beforeRequest)
        options.beforeRequest();
    CtlReply reply = CtlCommands::run(*widget, args);
    // Writes of the settings handles reach the disk when they are destroyed.
    widget->hid().hidStopListen();
    widget.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return reply;
}
} // namespace

int runCtlTool(int argc, char** argv, const CtlToolOptions& options)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CtlParse parsed = CtlArguments::parse(args);
    if (!parsed.ok)
        return finish({2, QString(), QStringLiteral("halcyonctl: ") + parsed.error + QLatin1Char('\n') + parsed.usage
                                         + QLatin1Char('\n')});
    if (parsed.command.kind == CtlCommand::Help)
        return finish({0, parsed.command.help, QString()});
    args = CtlArguments::withAbsoluteFiles(parsed, args, CtlArguments::shellWorkingFolder());

    // The tool never shows a window; the scene it may load runs offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_LINUX
    disableSessionBusAutolaunch();
#endif
    qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    if (!options.onItsOwn) {
        const QString dir = QCoreApplication::applicationDirPath();
        const QByteArray request = CtlProtocol::encodeRequest(args);
        for (const char* program : {"halcyon", "halcyon-demo"}) {
            const QString id = QtSingleCoreApplication::instanceId(dir + QLatin1Char('/') + QLatin1String(program),
                                                                  QtSingleCoreApplication::currentUser());
            // A folder another user can reach may hold anybody's socket: no
            // request goes there, and no second writer starts on the files.
            QString problem;
            const QString socket = QtSingleCoreApplication::socketPathFor(id, &problem);
            if (socket.isEmpty())
                return finish({1, QString(), QStringLiteral("halcyonctl: %1; not looking for a running Halcyon "
                                                            "there\n")
                                                 .arg(problem)});
            QByteArray payload;
            qint64 peerUid = -1;
            switch (InstanceChannel::request(socket, request, ReplyTimeoutMs, &payload, CtlProtocol::MaxReplyBytes,
                                             &peerUid)) {
            case InstanceChannel::RequestResult::NotRunning:
                continue;
            case InstanceChannel::RequestResult::Impostor:
                return finish({1, QString(), QStringLiteral("halcyonctl: %1 belongs to another user (uid %2); "
                                                            "nothing was sent\n")
                                                 .arg(socket)
                                                 .arg(peerUid)});
            case InstanceChannel::RequestResult::NoAnswer:
                return finish({1, QString(), QStringLiteral("halcyonctl: the running %1 did not answer\n")
                                                 .arg(QLatin1String(program))});
            case InstanceChannel::RequestResult::Answered: {
                CtlReply reply;
                if (!CtlProtocol::decodeReply(payload, &reply))
                    return finish({1, QString(), QStringLiteral("halcyonctl: the running %1 sent a reply "
                                                                "this version cannot read\n")
                                                     .arg(QLatin1String(program))});
                return finish(reply);
            }
            }
        }
    }
    return finish(runOnItsOwn(args, options));
}

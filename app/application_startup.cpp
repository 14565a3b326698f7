#include "app/application_startup.h"
#include "app/copy_data.h"
#include "app/ctl/ctl_service.h"
#include "app/data_location.h"
#include "app/input_capture.h"
#include "app/input_capture_fallback.h"
#include "app/qt_single_core_application.h"
#ifdef Q_OS_LINUX
#include "app/session_bus.h"
#endif
#include "app/shipped_data_upgrade.h"
#include "app/startup_arguments.h"
#include "app/termination_signals.h"
#include "app/widget.h"
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

bool hasHardwareRendering()
{
    // Mesa draws in software when told to, and where no GPU render node
    // exists (llvmpipe, softpipe).
    if (qEnvironmentVariableIntValue("LIBGL_ALWAYS_SOFTWARE") != 0)
        return false;
#ifdef Q_OS_LINUX
    return !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty();
#else
    return true;
#endif
}

void chooseSceneRenderer()
{
    // A renderer the user chose wins.
    if (!qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") || !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        return;
    const QString platform = QGuiApplication::platformName();
    // Without a GPU, OpenGL through a software rasteriser redraws the whole
    // window for every frame of the busy indicator; Qt Quick's software
    // renderer draws only what changed. Measured under Xvfb with llvmpipe, it
    // starts faster, needs less memory and keeps frames coming during a
    // transfer (see benchmarks/).
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal") || !hasHardwareRendering())
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void keepNewFilesPrivate()
{
#ifdef Q_OS_UNIX
    const mode_t previous = ::umask(077);
    ::umask(previous | 077);
#endif
}

void enterDataDirectory()
{
    // Every ./modules/ path is relative to the executable's own directory
    // (an installed copy works in the user's data directory instead,
    // seeded from the shipped tree).
    const QString path = QCoreApplication::applicationFilePath();
    const DataLocation location = resolveDataLocation(path.left(path.lastIndexOf(QLatin1Char('/'))),
                                                      qEnvironmentVariable("XDG_DATA_HOME"));
    if (!location.shippedModules.isEmpty()
        && seedUserData(location.shippedModules, location.workingDirectory + QStringLiteral("/modules")) < 0)
        qWarning("cannot copy the shipped data to %s", qPrintable(location.workingDirectory));
    // A newer release's fixes (translations, gun data, icons) replace the
    // user's copies they never changed.
    if (!location.shippedModules.isEmpty()) {
        const auto refreshed = ShippedDataUpgrade::refreshShippedFiles(
            location.shippedModules, location.workingDirectory + QStringLiteral("/modules"));
        if (!refreshed.replaced.isEmpty())
            qDebug() << "Updated to the shipped version:" << refreshed.replaced;
        if (!refreshed.ok)
            qWarning("cannot update the shipped files in %s", qPrintable(location.workingDirectory));
    }
    // A newer release's configuration may know keys and mice the user's
    // copy does not.
    if (!location.shippedModules.isEmpty()
        && ShippedDataUpgrade::mergeConfig(location.shippedModules,
                                           location.workingDirectory + QStringLiteral("/modules"))
               == ShippedDataUpgrade::Result::Failed)
        qWarning("cannot merge the shipped configuration into %s", qPrintable(location.workingDirectory));
    QDir::setCurrent(location.workingDirectory);
    qDebug() << "Working directory" << qPrintable(QDir::currentPath());
}

int runApplication(int argc, char** argv, const StartupOptions& options)
{
    const StartupArguments arguments = parseStartupArguments(argc, argv);
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    // Answered before anything needs a display.
    if (arguments.help || arguments.version) {
        const QByteArray text = (arguments.help ? startupUsage(program) : startupVersion(program)).toLocal8Bit();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return 0;
    }
    // Diagnostics are for whoever asks for them: --verbose, or Qt's logging
    // rules in the environment (which take precedence over these).
    if (!arguments.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
#ifdef Q_OS_LINUX
    disableSessionBusAutolaunch();
#endif
    // The scene's glyphs and images fit in a 512-pixel texture atlas; Qt's
    // default reserves a far larger one, several MiB of private memory for a
    // program that idles in the tray. A user's own setting wins.
    if (qEnvironmentVariableIsEmpty("QSG_ATLAS_WIDTH") && qEnvironmentVariableIsEmpty("QSG_ATLAS_HEIGHT")) {
        qputenv("QSG_ATLAS_WIDTH", "512");
        qputenv("QSG_ATLAS_HEIGHT", "512");
    }
    keepNewFilesPrivate();
    int rc = 0;
    {
        QtSingleCoreApplication app(argc, argv);
        if (app.isRunning()) {
            // The running one takes over: that is this start's success.
            if (app.sendMessage(QString(), 5000))
                return 0;
            std::fprintf(stderr, "%s: the running instance did not answer\n", qPrintable(program));
            return 1;
        }
        enterDataDirectory();
        chooseSceneRenderer();

        auto* widget = new Widget();
        if (options.customize)
            options.customize(*widget);
        QObject::connect(&app, &QtSingleCoreApplication::messageReceived, widget, &Widget::receiveMessage);
        // halcyonctl's requests are carried out by this window.
        installCtlService(app.server(), widget);

        // X11 raw events see the whole desktop only on an X11 session; under
        // Wayland they would see just the X clients.
#ifdef Q_OS_WIN
        const bool desktopCapture = true;
#else
        const bool desktopCapture = QGuiApplication::platformName() == QLatin1String("xcb");
#endif
        const bool desktopWide = desktopCapture && InputCapture::install();
        if (!desktopWide)
            InputCapture::useWindowFallback(widget);
        widget->publishKeyCaptureScope(desktopWide);
        InputCapture::registerKeyboardCallback(&Widget::keyboardCallback, widget);
        InputCapture::registerMouseCallback(&Widget::mouseCallback, widget);

        registerCopyDataCallback(&Widget::copyDataCallback, widget);
        installCopyDataFilter();

        quitOnTerminationSignals();

        if (arguments.tray)
            widget->startInTray(Widget::TrayStartPatienceMs);
        else
            widget->showNormal();
        widget->checkDevice();
        rc = app.exec();

        // No capture or copy-data callback may reach the Widget once it is gone.
        InputCapture::uninstall();
        InputCapture::stopWindowFallback();
        InputCapture::registerKeyboardCallback(nullptr, nullptr);
        InputCapture::registerMouseCallback(nullptr, nullptr);
        registerCopyDataCallback(nullptr, nullptr);
        installCtlService(app.server(), nullptr);
        delete widget;
        // The window's controller was scheduled for deferred deletion.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return rc;
}

#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/DeviceListImport.h"
#include "app/HeapTrimmer.h"
#include "app/LocalTimeZone.h"
#include "app/MainWindow.h"
#include "app/StationLock.h"
#include "app/UnixSignalWatcher.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>

#include <sys/stat.h>

int main(int argc, char* argv[])
{
    // The operators of a console share config/ and log/ through their group and take turns at the station: what one
    // creates there the next must be able to write. Others keep what the umask gives them.
    umask(umask(0) & ~S_IRWXG);
    PinLocalTimeZone();
    if (CommandLine::AsksForInformationOnly(argc, argv)) {
        QCoreApplication app(argc, argv);
        CommandLine commandLine;
        commandLine.Parse(app.arguments());
        return commandLine.ExitCode();
    }
    if (CommandLine::ImportsDevices(argc, argv)) {
        QCoreApplication app(argc, argv);
        CommandLine commandLine;
        if (!commandLine.Parse(app.arguments()))
            return commandLine.ExitCode();
        return DeviceListImport::Run(commandLine.ImportDevicesPath());
    }

    QApplication app(argc, argv);
    // The autostart entry or the user unit starts the station with the session; a restored session must not
    // start a second one.
    QObject::connect(&app, &QGuiApplication::saveStateRequest,
                     [](QSessionManager& manager) { manager.setRestartHint(QSessionManager::RestartNever); });
    CommandLine commandLine;
    if (!commandLine.Parse(app.arguments()))
        return commandLine.ExitCode();

    // Before the window, whose start-up may put up a box, and after it, whose end releases the managers: a SIGTERM at
    // any time, a second one included, ends the station through that release. Exiting ends every event loop, a
    // box's included, and a box put up afterwards returns at once.
    UnixSignalWatcher signalWatcher;
    bool signalled = false;
    QObject::connect(&signalWatcher, &UnixSignalWatcher::Signalled, &app, [&signalled] {
        signalled = true;
        QCoreApplication::exit(0);
    });
    const QString startAddress = commandLine.StartAddress();
    // Two stations on one directory would write every alarm twice into one log.
    StationLock lock(GetLogDir());
    if (!lock.Acquire()) {
        const QString text =
            StationLock::tr("Another station is already running on %1.").arg(QDir::toNativeSeparators(GetAppDir()));
        if (!startAddress.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
            return 3;
        }
        lock.AskHolderToRaise();
        QMessageBox::warning(nullptr, StationLock::tr("Warn"), text);
        return 3;
    }
    MainWindow window(startAddress.isEmpty() ? MainWindow::InteractivePrompts() : MainWindow::UnattendedPrompts());
    if (signalled)
        return 0;
    window.SetSyslogTargets(commandLine.SyslogTargets());
    window.SetAlertmanagerTargets(commandLine.AlertmanagerTargets());
    QString metricsError;
    // Monitoring matters more than its metrics.
    if (commandLine.MetricsPort() != 0 &&
        !window.StartMetrics(commandLine.MetricsAddress(), commandLine.MetricsPort(), metricsError))
        std::fprintf(stderr, "%s",
                     qPrintable(QCoreApplication::translate("CommandLine", "Warning: %1; the station runs without "
                                                                           "them.\n")
                                    .arg(metricsError)));
    // The status window, a box without parent or a modal dialog would otherwise keep a station without its main
    // window running; quitting also ends the event loop of a dialog that is open.
    QObject::connect(&window, &MainWindow::Closed, &app, &QCoreApplication::quit);
    QObject::connect(&lock, &StationLock::Sig_RaiseRequested, &window, [&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });
    window.show();
    HeapTrimmer heapTrimmer;
    const bool showStatus = commandLine.ShowsStatusWindow();
    QTimer::singleShot(0, &window, [&window, startAddress, showStatus] {
        if (!startAddress.isEmpty())
            window.StartMonitoring(startAddress);
        if (showStatus)
            window.OnStatusClicked();
    });
    return app.exec();
}

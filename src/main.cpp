#include "app/CommandLine.h"
#include "app/LocalTimeZone.h"
#include "app/MainWindow.h"
#include "app/UnixSignalWatcher.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    PinLocalTimeZone();
    if (CommandLine::AsksForInformationOnly(argc, argv)) {
        QCoreApplication app(argc, argv);
        CommandLine commandLine;
        commandLine.Parse(app.arguments());
        return commandLine.ExitCode();
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
    MainWindow window(startAddress.isEmpty() ? MainWindow::InteractivePrompts() : MainWindow::UnattendedPrompts());
    if (signalled)
        return 0;
    window.SetSyslogTargets(commandLine.SyslogTargets());
    window.SetAlertmanagerTargets(commandLine.AlertmanagerTargets());
    QString metricsError;
    if (commandLine.MetricsPort() != 0 &&
        !window.StartMetrics(commandLine.MetricsAddress(), commandLine.MetricsPort(), metricsError)) {
        std::fprintf(stderr, "%s\n", qPrintable(metricsError));
        return 2;
    }
    // The status window, a box without parent or a modal dialog would otherwise keep a station without its main
    // window running; quitting also ends the event loop of a dialog that is open.
    QObject::connect(&window, &MainWindow::Closed, &app, &QCoreApplication::quit);
    window.show();
    const bool showStatus = commandLine.ShowsStatusWindow();
    QTimer::singleShot(0, &window, [&window, startAddress, showStatus] {
        if (!startAddress.isEmpty())
            window.StartMonitoring(startAddress);
        if (showStatus)
            window.OnStatusClicked();
    });
    return app.exec();
}

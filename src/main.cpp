#include "app/CommandLine.h"
#include "app/LocalTimeZone.h"
#include "app/MainWindow.h"
#include "app/UnixSignalWatcher.h"

#include <QApplication>
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

    QApplication app(argc, argv);
    // The autostart entry or the user unit starts the station with the session; a restored session must not
    // start a second one.
    QObject::connect(&app, &QGuiApplication::saveStateRequest,
                     [](QSessionManager& manager) { manager.setRestartHint(QSessionManager::RestartNever); });
    CommandLine commandLine;
    if (!commandLine.Parse(app.arguments()))
        return commandLine.ExitCode();

    const QString startAddress = commandLine.StartAddress();
    MainWindow window(startAddress.isEmpty() ? MainWindow::InteractivePrompts() : MainWindow::UnattendedPrompts());
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
    UnixSignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &UnixSignalWatcher::Signalled, &window, &QWidget::close);
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

#include "AlarmRecords.h"
#include "app/DesktopNotifier.h"
#include "app/StationTrayIcon.h"

#include "alarm/AlarmRecord.h"

#include <QAction>
#include <QDBusConnection>
#include <QMainWindow>
#include <QMenu>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QtTest>

namespace {
// A notification service of its own on the test's private bus; it keeps what it was asked to show.
class NotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList summaries;
    QStringList bodies;
    QList<uint> replacedIds;
    QVariantMap lastHints;
    // When each notification arrived.
    QList<qint64> arrivals;

public slots:
    uint Notify(const QString&, uint replacedId, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap& hints, int)
    {
        replacedIds.append(replacedId);
        summaries.append(summary);
        bodies.append(body);
        lastHints = hints;
        arrivals.append(m_clock.elapsed());
        return replacedId != 0 ? replacedId : 40 + uint(summaries.size());
    }

private:
    QElapsedTimer m_clock = [] {
        QElapsedTimer clock;
        clock.start();
        return clock;
    }();
};

// Counts the children an object loses: the notifier's pending calls, each of which it drops once answered.
class ChildrenRemoved : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::ChildRemoved;
        return false;
    }
};

AlarmRecord ErrorAlarm(int device, int port, int level = LevelError)
{
    AlarmRecord record =
        MakeAlarm(QStringLiteral("127.22.0.%1").arg(device), PortTypeBnc, port, -1, AlarmTypeVideoLost, level);
    record.deviceName = QStringLiteral("Studio %1").arg(device);
    record.signalName = QStringLiteral("Input %1").arg(port);
    return record;
}

const QString ServiceConnection = QStringLiteral("service");
const QString NotifierConnection = QStringLiteral("notifier");

int debugLines = 0;
void CountDebugLines(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg && text.startsWith(QLatin1String("No desktop notifications")))
        ++debugLines;
}
} // namespace

// The station on the desktop: new error alarms reach a real D-Bus notification service, summed up in a storm, and
// the tray icon follows the alarms and brings the window back.
class TestDesktopPresence : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void oneAlarmIsToldInFull();
    void stormIsSummarised();
    void missingServiceIsOneDebugLine();
    void trayFollowsTheWorstAlarm();
    void trayClickBringsBackMinimisedWindow();

private:
    QDBusConnection Connect(const QString& name) { return QDBusConnection::connectToBus(m_address, name); }
    // Puts the service on the bus under the name and path of the desktop's notification service.
    bool Serve(NotificationService& service)
    {
        QDBusConnection bus = Connect(ServiceConnection);
        return bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                  QDBusConnection::ExportAllSlots) &&
               bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

    QTemporaryDir m_busDir;
    QProcess m_busDaemon;
    QString m_address;
};

void TestDesktopPresence::initTestCase()
{
    // A bus of the test's own that can start no service, so that no notification daemon of the machine answers.
    QVERIFY(m_busDir.isValid());
    QFile config(m_busDir.filePath(QStringLiteral("bus.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>"
                                "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                     .arg(m_busDir.path())
                     .toUtf8());
    config.close();
    m_busDaemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config.fileName(),
                                                      QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    QVERIFY2(m_busDaemon.waitForStarted(), "dbus-daemon is missing");
    QTRY_VERIFY_WITH_TIMEOUT(m_busDaemon.canReadLine(), 10000);
    m_address = QString::fromUtf8(m_busDaemon.readLine()).trimmed();
    QVERIFY(!m_address.isEmpty());
}

void TestDesktopPresence::cleanupTestCase()
{
    m_busDaemon.terminate();
    m_busDaemon.waitForFinished();
}

void TestDesktopPresence::cleanup()
{
    QDBusConnection::disconnectFromBus(ServiceConnection);
    QDBusConnection::disconnectFromBus(NotifierConnection);
}

void TestDesktopPresence::oneAlarmIsToldInFull()
{
    NotificationService service;
    QVERIFY(Serve(service));

    DesktopNotifier notifier(nullptr, Connect(NotifierConnection), 0);
    ChildrenRemoved answered;
    notifier.installEventFilter(&answered);
    AlarmRecord alarm = ErrorAlarm(1, 3);
    alarm.signalName = QStringLiteral("<b>CAM</b> A&B");
    notifier.OnAlarmApplied(alarm);
    QTRY_COMPARE_WITH_TIMEOUT(answered.count, 1, 10000);
    QCOMPARE(service.summaries.size(), 1);
    QCOMPARE(service.summaries[0], QStringLiteral("Error alarm on Studio 1 (127.22.0.1)"));
    QCOMPARE(service.bodies[0], QStringLiteral("&lt;b&gt;CAM&lt;/b&gt; A&amp;B: ") + AlarmTypeWord(AlarmTypeVideoLost));
    QCOMPARE(service.lastHints.value(QStringLiteral("urgency")).toInt(), 2);

    // The same alarm once more is nothing new, until monitoring stops; then it replaces the banner.
    notifier.OnAlarmApplied(alarm);
    notifier.OnMonitoringStopped();
    notifier.OnAlarmApplied(alarm);
    QTRY_COMPARE_WITH_TIMEOUT(service.summaries.size(), 2, 10000);
    QCOMPARE(service.summaries[1], service.summaries[0]);
    QCOMPARE(service.replacedIds, (QList<uint>{0, 41}));
}

void TestDesktopPresence::stormIsSummarised()
{
    NotificationService service;
    QVERIFY(Serve(service));

    const int interval = 1500;
    DesktopNotifier notifier(nullptr, Connect(NotifierConnection), interval);
    // 37 alarms on 5 devices, each told twice (a repeated trap or a state read after a reconnection), and a
    // warning that is no error.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 37; ++i)
            notifier.OnAlarmApplied(ErrorAlarm(1 + i % 5, 1 + i / 5));
    }
    notifier.OnAlarmApplied(ErrorAlarm(6, 1, LevelWarn));
    QTRY_COMPARE_WITH_TIMEOUT(service.summaries.size(), 1, 10000);
    QCOMPARE(service.summaries[0], QStringLiteral("37 new error alarms on 5 devices"));
    QCOMPARE(service.bodies[0].split(QLatin1Char('\n')).size(), 5);

    // Within the interval: one device's alarm ends and comes back, another is new; both wait for the interval.
    notifier.OnAlarmApplied(ErrorAlarm(1, 1, LevelNormal));
    notifier.OnAlarmApplied(ErrorAlarm(1, 1));
    notifier.OnAlarmApplied(ErrorAlarm(1, 12));
    QTRY_COMPARE_WITH_TIMEOUT(service.summaries.size(), 2, interval + 10000);
    QCOMPARE(service.summaries[1], QStringLiteral("2 new error alarms on Studio 1 (127.22.0.1)"));
    // Held back for the interval, not only for the moment a first notification waits (1 s); the margin is for the
    // first call's way through the bus.
    QVERIFY2(service.arrivals[1] - service.arrivals[0] >= interval - 250,
             qPrintable(QString::number(service.arrivals[1] - service.arrivals[0])));
}

void TestDesktopPresence::missingServiceIsOneDebugLine()
{
    debugLines = 0;
    const QtMessageHandler previous = qInstallMessageHandler(CountDebugLines);
    DesktopNotifier notifier(nullptr, Connect(NotifierConnection), 0);
    ChildrenRemoved answered;
    notifier.installEventFilter(&answered);
    notifier.OnAlarmApplied(ErrorAlarm(1, 1));
    QTRY_COMPARE_WITH_TIMEOUT(answered.count, 1, 10000);
    notifier.OnAlarmApplied(ErrorAlarm(2, 1));
    // The second alarm's call fails as well, quietly.
    QTRY_COMPARE_WITH_TIMEOUT(answered.count, 2, 10000);
    qInstallMessageHandler(previous);
    QCOMPARE(debugLines, 1);
}

void TestDesktopPresence::trayFollowsTheWorstAlarm()
{
    QMainWindow window;
    StationTrayIcon tray(&window, {});
    auto shown = [&tray](bool monitoring, const AlarmSummary& summary) {
        tray.ShowState(monitoring, summary);
        // Above the start of the trace, clear of the badge's rounded corner.
        return tray.TrayIcon()->icon().pixmap(32, 32).toImage().pixelColor(4, 10).name();
    };
    const QString idle = shown(false, AlarmSummary{LevelError, 2, 0, -1});
    QStringList colours{idle, shown(true, AlarmSummary{}), shown(true, AlarmSummary{LevelWarn, 0, 4, -1}),
                        shown(true, AlarmSummary{LevelError, 3, 2, 1})};
    const QString toolTip = tray.TrayIcon()->toolTip();
    QVERIFY2(toolTip.contains(": 3") && toolTip.contains(": 2") && toolTip.contains(": 1"), qPrintable(toolTip));
    // An idle station is grey whatever alarms are left over.
    QCOMPARE(shown(false, AlarmSummary{}), idle);
    colours.removeDuplicates();
    QCOMPARE(colours.size(), 4);
}

void TestDesktopPresence::trayClickBringsBackMinimisedWindow()
{
    QMainWindow window;
    QAction start(QStringLiteral("Start Monitoring"));
    StationTrayIcon tray(&window, {&start, nullptr});
    window.showMinimized();
    QVERIFY(window.isMinimized());

    emit tray.TrayIcon()->activated(QSystemTrayIcon::Trigger);
    QVERIFY(window.isVisible());
    QVERIFY(!window.isMinimized());
    QCOMPARE(tray.TrayIcon()->contextMenu()->actions().first(), &start);
}

QTEST_MAIN(TestDesktopPresence)
#include "TestDesktopPresence.moc"

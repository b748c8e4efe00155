#include "DebugLines.h"
#include "DescriptorLimit.h"
#include "FreeUdpPort.h"
#include "SnmpTestRig.h"
#include "snmp/ConnectDeviceThread.h"
#include "snmp/DeviceDetectThread.h"
#include "snmp/DeviceObjects.h"
#include "snmp/DeviceStateQuery.h"
#include "snmp/SnmpConversations.h"

#include <QtTest>

#include <atomic>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

// The station's conversations with simulated probes 127.0.1.x over real UDP: registration, wired as the main window
// wires it (the handler queues a device found again), state reads and presence detection. Observed at the probes
// and through the alarm handler.
class TestDeviceConversations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void silentDevicesDelayNoLiveOne();
    void notificationsOfEverySignalKindAreDecoded();
    void deviceSilencedMidRunIsLostOnceFoundOnceAndReadAnew();
    void refusingDeviceKeepsOneAlarmUntilItTakesTheDestination();
    void deviceOffAtStartIsReadOnceWhenItComesBack();
    void deviceQueuedTwiceIsRegisteredOnce();
    void stopLeavesNothingInFlight();
    void registrationQueuedWhileStoppingRegistersNothing();
    void activeConditionsBecomeRecordsInOrder_data();
    void activeConditionsBecomeRecordsInOrder();
    void stopIsCheckedBeforeEveryRequest();
    void stoppingSilencesQueriesButNotTheProbe();
    void silentDeviceEndsItsReadAndDelaysNoOther();
    void signOfLifeFromALostDeviceBringsItsProbeForward();
    void stopDuringTheWaitEndsWithoutProbing();
    void addingWhileStoppingNeverRacesTheStop();
    void refusingDeviceIsReportedAfterEveryEndOfItsAlarm();
    void readCutShortIsDoneAgainAtTheNextSignOfLife();
    void noDescriptorLeftIsNotADeviceLoss();
    void sessionsStayWithinTheDescriptorLimit();
    void probeGoesAheadOfWaitingReads();
    void cleanupTestCase();

private:
    SnmpTestRig m_rig;
    ConnectDeviceThread m_thread{&m_rig.server};
};

namespace {

QString Expect(int device, int portType, int portID, int trackID, int alarmType, int level)
{
    return Fields(Device(device), portType, portID, trackID, alarmType, level);
}

// Drives the conversations on the test's thread until they are over.
void RunToEnd(SnmpConversations* conversations)
{
    const QDeadlineTimer deadline(20000);
    while (!conversations->IsIdle() && !deadline.hasExpired())
        conversations->Poll(100);
}

std::unique_ptr<DeviceConversation> StateRead(const QString& ip, AlarmHandler* handler,
                                              std::function<bool()> mustStop = {})
{
    auto conversation = std::make_unique<DeviceConversation>(ip, 3, std::move(mustStop));
    DeviceStateQuery::QueryDeviceState(conversation.get(), handler);
    return conversation;
}

} // namespace

void TestDeviceConversations::initTestCase()
{
    QString error;
    QVERIFY2(m_rig.Start(10, 59, &error), qPrintable(error));
    m_rig.road.handler.SetConnectDeviceThread(&m_thread);
}

void TestDeviceConversations::silentDevicesDelayNoLiveOne()
{
    // Four powered-off devices queued before eight live ones; each live one has its last object active, so that
    // its record says its state read is over.
    QVERIFY(m_rig.Prepare(QStringLiteral("127.0.1.10-13 silent\n127.0.1.14-21 raise overload aes:32 1")));
    for (int n = 10; n <= 21; ++n)
        m_thread.AddIP(Device(n));

    QTRY_VERIFY_WITH_TIMEOUT(m_rig.ConnectionLevels(Device(13)) == "3" && m_rig.ConnectionLevels(Device(10)) == "3",
                             15000);
    const QStringList records = FieldsOf(m_rig.road.display.Records());
    int firstLost = records.size();
    for (int n = 10; n <= 13; ++n)
        firstLost = qMin(firstLost, records.indexOf(Fields(Device(n), 0, -1, -1, AlarmTypeConnection, LevelError)));
    QVERIFY(m_rig.sim.Sync());
    const QString set =
        QStringLiteral("<- set %1=\"%2\"").arg(DeviceObjects::TrapDestination(), m_rig.TrapDestination());
    for (int n = 14; n <= 21; ++n) {
        const QString ip = Device(n);
        const int read = records.indexOf(Fields(ip, PortTypeAes, 1, 32, AlarmTypeAudioOverload, LevelWarn));
        QVERIFY2(read >= 0 && read < firstLost, qPrintable(ip));
        // The SET first, then the whole state read.
        QCOMPARE(m_rig.sim.LinesWith({ip + QStringLiteral(" <- ")}).first(), ip + QLatin1Char(' ') + set);
        QCOMPARE(m_rig.SetsOf(ip).size(), 1);
        QCOMPARE(m_rig.Reads(ip), QStringLiteral("1/1"));
    }
    m_rig.sim.Send(QStringLiteral("127.0.1.10-13 back"));
}

void TestDeviceConversations::notificationsOfEverySignalKindAreDecoded()
{
    // Encoded by the simulator, which knows the probes' objects independently of the station's decoder.
    const QString ip = Device(16);
    QVERIFY(m_rig.Prepare());
    const int before = m_rig.RecordsOf(ip).size();
    for (const char* command : {"lost bnc:2", "freeze bnc:3 1", "black bnc:4 0", "silence bnc:5:6",
                                "overload bnc:7:8 1", "silence analog:12", "overload aes:32"})
        m_rig.sim.Send(ip + QStringLiteral(" raise ") + command);
    const QStringList expected = {Fields(ip, 1, 2, -1, 4, 3), Fields(ip, 1, 3, -1, 2, 2), Fields(ip, 1, 4, -1, 1, 1),
                                  Fields(ip, 1, 5, 6, 8, 3),  Fields(ip, 1, 7, 8, 16, 2), Fields(ip, 4, 1, 12, 8, 3),
                                  Fields(ip, 3, 1, 32, 16, 3)};
    QTRY_COMPARE(FieldsOf(m_rig.RecordsOf(ip)).mid(before), expected);
}

void TestDeviceConversations::deviceSilencedMidRunIsLostOnceFoundOnceAndReadAnew()
{
    const QString ip = Device(14);
    QVERIFY(m_rig.Prepare());
    // An answered probe reports nothing; nor does a second failed one (three more unanswered tries): the found
    // report comes after it was judged.
    QTRY_VERIFY_WITH_TIMEOUT(!m_rig.ProbesOf(ip).isEmpty(), 8000);
    m_rig.sim.Send(ip + QStringLiteral(" silent"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("3"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(m_rig.ProbesOf(ip).size() >= 7, 12000);

    // What changed while it was away is read when it answers again, after the connection record.
    m_rig.sim.Send(ip + QStringLiteral(" raise lost bnc:2\n") + ip + QStringLiteral(" back"));
    const QStringList readAnew = {Fields(ip, 0, -1, -1, AlarmTypeConnection, LevelNormal),
                                  Fields(ip, PortTypeBnc, 2, -1, AlarmTypeVideoLost, LevelError),
                                  Fields(ip, PortTypeAes, 1, 32, AlarmTypeAudioOverload, LevelWarn)};
    QTRY_COMPARE_WITH_TIMEOUT(FieldsOf(m_rig.RecordsOf(ip)).mid(2), readAnew, 15000);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.Reads(ip), QStringLiteral("1/1"));
    // Registered already: the re-queue that the found report brings sends nothing.
    QVERIFY(m_rig.SetsOf(ip).isEmpty());
    QCOMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("31"));
}

void TestDeviceConversations::refusingDeviceKeepsOneAlarmUntilItTakesTheDestination()
{
    const QString ip = Device(22);
    const QString marker = Device(30);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" refuse-set on\n") + marker + QStringLiteral(" refuse-set on")));
    m_thread.SetRefusedRetryInterval(300);

    m_thread.AddIP(ip);
    QTRY_VERIFY_WITH_TIMEOUT(m_rig.SetsOf(ip).size() >= 3, 5000);
    QCOMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("3"));
    QCOMPARE(m_rig.Reads(ip), QStringLiteral("0/0"));

    m_rig.sim.Send(ip + QStringLiteral(" refuse-set off"));
    QTRY_COMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("31"));
    QTRY_COMPARE(m_rig.Reads(ip), QStringLiteral("1/1"));
    // Once another refusing device has been asked again, a retry of ip would have come too.
    const int sets = m_rig.SetsOf(ip).size();
    m_thread.AddIP(marker);
    QTRY_VERIFY(m_rig.SetsOf(marker).size() >= 2);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.SetsOf(ip).size(), sets);
    m_rig.sim.Send(marker + QStringLiteral(" refuse-set off"));
    QTRY_COMPARE(m_rig.Reads(marker), QStringLiteral("1/1"));
    m_thread.SetRefusedRetryInterval(60000);
}

void TestDeviceConversations::deviceOffAtStartIsReadOnceWhenItComesBack()
{
    const QString ip = Device(23);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" silent")));

    m_thread.AddIP(ip);
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("3"), 8000);

    // Back on: presence detection finds it within a few cycles, and the handler queues it for registration.
    m_rig.sim.Send(ip + QStringLiteral(" back"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("31"), 15000);
    // Four unanswered tries while it was off, then the one it answers, then its state read: once, by the
    // registration, not also by the presence detection that found it, whose read would have begun by the time the
    // registration's has ended.
    const QStringList destinationSet = {ip + QStringLiteral(" <- set "), m_rig.TrapDestination() + QLatin1Char('"')};
    QTRY_COMPARE(m_rig.sim.LinesWith(destinationSet).size(), 5);
    QCOMPARE(m_rig.sim.LinesWith(destinationSet).filter(QStringLiteral("not answered")).size(), 4);
    QTRY_VERIFY(m_rig.Reads(ip).endsWith(QStringLiteral("/1")));
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.Reads(ip), QStringLiteral("1/1"));
}

void TestDeviceConversations::deviceQueuedTwiceIsRegisteredOnce()
{
    const QString ip = Device(24);
    QVERIFY(m_rig.Prepare());
    m_thread.AddIP(ip);
    m_thread.AddIP(ip);
    m_thread.AddIP(QString());
    QTRY_COMPARE(m_rig.Reads(ip), QStringLiteral("1/1"));
    // Queued again once registered, it is not written to again in the same monitoring run.
    m_thread.AddIP(ip);
    m_thread.AddIP(Device(25));
    QTRY_COMPARE(m_rig.Reads(Device(25)), QStringLiteral("1/1"));
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.SetsOf(ip).size(), 1);
    QCOMPARE(m_rig.Reads(ip), QStringLiteral("1/1"));
}

void TestDeviceConversations::stopLeavesNothingInFlight()
{
    const QString silent = Device(26);
    const QString marker = Device(27);
    QVERIFY(m_rig.Prepare(silent + QStringLiteral(" silent\n") + marker + QStringLiteral(" silent")));

    m_thread.AddIP(silent);
    QTRY_COMPARE(m_rig.SetsOf(silent).size(), 1);
    m_thread.Stop();
    QVERIFY(!m_thread.isRunning());
    QVERIFY(m_rig.sim.Sync());
    const int sent = m_rig.SetsOf(silent).size();

    // The thread is usable again. The SET's retries go out a second apart: once the marker's first retry is out,
    // one of the dropped SET would have been too.
    m_thread.AddIP(marker);
    QTRY_VERIFY(m_rig.SetsOf(marker).size() >= 2);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.SetsOf(silent).size(), sent);
    QVERIFY(m_rig.ConnectionLevels(silent).isEmpty());
    m_thread.Stop();
    m_rig.sim.Send(silent + QStringLiteral(" back\n") + marker + QStringLiteral(" back"));
}

void TestDeviceConversations::registrationQueuedWhileStoppingRegistersNothing()
{
    QVERIFY(m_rig.Prepare());
    // As the handler does on a connection report while monitoring stops, and after it stopped.
    m_rig.server.MarkStopping();
    m_thread.AddIP(Device(28));
    m_rig.server.Stop();
    m_thread.AddIP(Device(29));
    // A trap port of 0 leaves the server stopped: no device is told "address:0".
    QVERIFY(!m_rig.server.Start(QStringLiteral("127.0.0.1"), 0));
    m_thread.AddIP(Device(28));
    // Listening, but with nothing to tell the devices.
    {
        const DebugLines refused({QStringLiteral("Set Server refused"), Device(29)});
        QVERIFY(m_rig.server.Start(QString(), FreeUdpPort()));
        m_thread.AddIP(Device(29));
        QTRY_VERIFY(refused.Count() >= 1);
    }
    m_rig.server.MarkStopping();
    m_thread.Stop();
    m_rig.server.Stop();
    QVERIFY(m_rig.sim.Sync());
    QVERIFY(m_rig.sim.LinesWith({QStringLiteral(" <- set ")}).isEmpty());

    // The next run begins with nothing registered: a device registered in the last run is told the new port.
    m_rig.trapPort = FreeUdpPort();
    QVERIFY(m_rig.server.Start(QStringLiteral("127.0.0.1"), m_rig.trapPort));
    m_thread.AddIP(Device(15));
    QTRY_COMPARE(m_rig.sim.LinesWith({Device(15) + QStringLiteral(" <- set "), m_rig.TrapDestination()}).size(), 1);
    QTRY_COMPARE(m_rig.Reads(Device(15)), QStringLiteral("1/1"));
}

void TestDeviceConversations::activeConditionsBecomeRecordsInOrder_data()
{
    QTest::addColumn<int>("device");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("expected");

    // Lost before freeze before black, whatever order they were raised in; freeze is normal here.
    QTest::newRow("video port 5") << 32 << QStringList{"black bnc:5 1", "freeze bnc:5 0", "lost bnc:5 2"}
                                  << QStringList{Expect(32, 1, 5, -1, 4, 3), Expect(32, 1, 5, -1, 1, 2)};
    QTest::newRow("ports in order") << 33 << QStringList{"freeze bnc:16", "black bnc:1 1"}
                                    << QStringList{Expect(33, 1, 1, -1, 1, 2), Expect(33, 1, 16, -1, 2, 3)};
    QTest::newRow("embedded tracks") << 34 << QStringList{"overload bnc:3:8 1", "silence bnc:3:8", "silence bnc:2:1 1"}
                                     << QStringList{Expect(34, 1, 2, 1, 8, 2), Expect(34, 1, 3, 8, 8, 3),
                                                    Expect(34, 1, 3, 8, 16, 2)};
    // Analog is read before AES/EBU; both are port 1 of their kind.
    QTest::newRow("discrete tracks") << 35 << QStringList{"silence aes:32 1", "overload analog:12", "silence aes:1 0"}
                                     << QStringList{Expect(35, 4, 1, 12, 16, 3), Expect(35, 3, 1, 32, 8, 2)};
    // Video first, then embedded, then discrete audio.
    QTest::newRow("video before audio") << 36 << QStringList{"silence analog:1", "overload bnc:1:1", "lost bnc:16"}
                                        << QStringList{Expect(36, 1, 16, -1, 4, 3), Expect(36, 1, 1, 1, 16, 3),
                                                       Expect(36, 4, 1, 1, 8, 3)};
    // A severity the station does not know is still a condition: it arrives with level 0.
    QTest::newRow("severity outside 0 to 2")
        << 37 << QStringList{"freeze bnc:2 5", "lost bnc:3 -1", "silence aes:4 3"}
        << QStringList{Expect(37, 1, 2, -1, 2, 0), Expect(37, 1, 3, -1, 4, 0), Expect(37, 3, 1, 4, 8, 0)};
}

void TestDeviceConversations::activeConditionsBecomeRecordsInOrder()
{
    QFETCH(int, device);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, expected);

    for (const QString& command : qAsConst(commands))
        QVERIFY(m_rig.Prepare(Device(device) + QStringLiteral(" raise ") + command));

    SnmpConversations conversations(1);
    conversations.Add(StateRead(Device(device), &m_rig.road.handler));
    RunToEnd(&conversations);
    QVERIFY(m_rig.sim.Sync());
    QVERIFY(m_rig.road.Drain(Device(device)));
    QCOMPARE(FieldsOf(m_rig.RecordsOf(Device(device))), expected);
    QCOMPARE(m_rig.Reads(Device(device)), QStringLiteral("1/1"));
}

void TestDeviceConversations::stopIsCheckedBeforeEveryRequest()
{
    const QString ip = Device(38);
    QVERIFY(m_rig.Prepare());
    // Stopping monitoring becomes visible between two requests, whichever query is running.
    SnmpConversations conversations(1);
    for (int allowed : {0, 3, 20, 150}) {
        int asked = 0;
        conversations.Add(StateRead(ip, &m_rig.road.handler, [&asked, allowed] { return asked++ >= allowed; }));
        RunToEnd(&conversations);
    }
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.sim.LinesWith({ip + QStringLiteral(" <- get ")}).size(), 0 + 3 + 20 + 150);
}

void TestDeviceConversations::stoppingSilencesQueriesButNotTheProbe()
{
    const QString ip = Device(39);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" raise lost bnc:1")));

    SnmpConversations conversations(2);
    bool answered = false;
    m_rig.server.MarkStopping();
    m_rig.server.QueryDeviceState(ip, &conversations);
    QVERIFY(m_rig.server.ProbeDevice(ip, &conversations, [&](int status) { answered = status == 0; }));
    RunToEnd(&conversations);
    QVERIFY(answered);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.sim.LinesWith({ip + QStringLiteral(" <- ")}),
             QStringList{ip + QStringLiteral(" <- get ") + DeviceObjects::Presence()});
    QVERIFY(m_rig.RecordsOf(ip).isEmpty());

    // A stopped server has nothing to ask with.
    m_rig.server.Stop();
    QVERIFY(!m_rig.server.ProbeDevice(ip, &conversations, [](int) {}));
    QVERIFY(conversations.IsIdle());

    QVERIFY(m_rig.server.Start(QStringLiteral("127.0.0.1"), m_rig.trapPort));
}

void TestDeviceConversations::silentDeviceEndsItsReadAndDelaysNoOther()
{
    const QString silent = Device(40);
    const QString live = Device(31);
    QVERIFY(m_rig.Prepare(silent + QStringLiteral(" silent\n") + live + QStringLiteral(" raise black bnc:4")));

    SnmpConversations conversations(2);
    conversations.Add(StateRead(silent, &m_rig.road.handler));
    conversations.Add(StateRead(live, &m_rig.road.handler));
    RunToEnd(&conversations);
    QVERIFY(m_rig.sim.Sync());
    QVERIFY(m_rig.road.Drain(live));

    // The live device was read in full meanwhile; the silent one had its first request sent and retried three
    // times, and nothing after it.
    QCOMPARE(FieldsOf(m_rig.RecordsOf(live)), QStringList{Expect(31, 1, 4, -1, 1, 3)});
    QCOMPARE(m_rig.Reads(live), QStringLiteral("1/1"));
    const QStringList unanswered = m_rig.sim.LinesWith({silent + QStringLiteral(" <- get ")});
    QCOMPARE(unanswered.size(), 4);
    QCOMPARE(unanswered.filter(DeviceObjects::VideoPort(DeviceObjects::VideoStandard, 1)).size(), 4);
    QVERIFY(m_rig.RecordsOf(silent).isEmpty());
    m_rig.sim.Send(silent + QStringLiteral(" back"));
}

void TestDeviceConversations::signOfLifeFromALostDeviceBringsItsProbeForward()
{
    // Both are due for their first probe after three cycles; the sign of life brings the lost one's forward,
    // although it comes later in the probing order.
    const QString quiet = Device(43);
    const QString speaking = Device(44);
    QVERIFY(m_rig.Prepare(speaking + QStringLiteral(" silent")));
    DeviceDetectThread watcher(&m_rig.server);
    watcher.AddDevice(quiet, DeviceDetectThread::Reachable);
    watcher.AddDevice(speaking, DeviceDetectThread::Lost);
    watcher.NotifyAlive(speaking);

    QTRY_VERIFY_WITH_TIMEOUT(!m_rig.ProbesOf(quiet).isEmpty(), 8000);
    const QStringList lines = m_rig.sim.Lines();
    const QString probe = QStringLiteral(" <- get ") + DeviceObjects::Presence();
    const QStringList early = lines.filter(speaking + probe);
    QVERIFY(!early.isEmpty());
    QVERIFY(lines.indexOf(early.first()) < lines.indexOf(lines.filter(quiet + probe).first()));
    m_rig.sim.Send(speaking + QStringLiteral(" back"));
}

void TestDeviceConversations::stopDuringTheWaitEndsWithoutProbing()
{
    const QString ip = Device(45);
    QVERIFY(m_rig.Prepare());
    DeviceDetectThread watcher(&m_rig.server);
    watcher.AddDevice(ip, DeviceDetectThread::Reachable);
    // The first probe is three cycles away.
    QTRY_VERIFY(watcher.isRunning());

    watcher.Stop();
    QVERIFY(!watcher.isRunning());
    QVERIFY(m_rig.sim.Sync());
    QVERIFY(m_rig.ProbesOf(ip).isEmpty());
}

void TestDeviceConversations::addingWhileStoppingNeverRacesTheStop()
{
    // A refusing device queued without pause keeps a run of the registration thread busy: a run restarted behind
    // Stop's back would keep Stop waiting, or outlive it and deadlock the next AddIP.
    const QString refusing = Device(46);
    QVERIFY(m_rig.Prepare(refusing + QStringLiteral(" refuse-set on")));
    DeviceDetectThread watcher(&m_rig.server);
    // Thousands of "add IP:" lines say nothing here.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    std::atomic<bool> stopped{false};
    std::thread adder([&] {
        for (int i = 0; i < 20000 && !stopped; ++i) {
            m_thread.AddIP(refusing);
            watcher.AddDevice(refusing, DeviceDetectThread::Reachable);
            QThread::usleep(500);
        }
    });
    std::thread stopper([&] {
        for (int round = 0; round < 30; ++round) {
            QThread::msleep(10);
            m_thread.Stop();
            watcher.Stop();
        }
        stopped = true;
    });
    const auto cleanup = qScopeGuard([&] {
        stopper.join();
        adder.join();
        m_thread.Stop();
        QLoggingCategory::setFilterRules(QString());
    });
    QTRY_VERIFY_WITH_TIMEOUT(stopped, 20000);
}

void TestDeviceConversations::refusingDeviceIsReportedAfterEveryEndOfItsAlarm()
{
    const QString ip = Device(48);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" refuse-set on")));
    m_thread.AddIP(ip);
    QTRY_COMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("3"));

    // Off for a few seconds: found again, which ends the alarm, and refusing again, which opens it anew.
    m_rig.sim.Send(ip + QStringLiteral(" silent"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("33"), 12000);
    m_rig.sim.Send(ip + QStringLiteral(" back"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("3313"), 12000);

    // Manage Device OK clears the alarms and forgets the device before queuing it again.
    m_rig.server.RemoveDevice(ip);
    m_thread.AddIP(ip);
    QTRY_COMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("33133"));
}

void TestDeviceConversations::readCutShortIsDoneAgainAtTheNextSignOfLife()
{
    // Busy with a storm of its own, the device drops GETs but keeps notifying, so presence detection never probes
    // it: only a sign of life can bring the read that was cut short.
    const QString ip = Device(49);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" raise overload aes:32 1\n") + ip + QStringLiteral(" busy on")));
    const QStringList dropped = {ip + QStringLiteral(" <- get"), QStringLiteral("busy, not answered")};
    m_thread.AddIP(ip);
    QTRY_VERIFY_WITH_TIMEOUT(!m_rig.sim.LinesWith(dropped).isEmpty(), 5000);
    // Signs of life through the first request's tries and after.
    m_rig.sim.Send(ip + QStringLiteral(" burst 8 2 alive\n") + ip + QStringLiteral(" busy off\n") + ip +
                   QStringLiteral(" burst 8 2 alive"));

    const QString lastCondition = Fields(ip, PortTypeAes, 1, 32, AlarmTypeAudioOverload, LevelWarn);
    QTRY_VERIFY_WITH_TIMEOUT(FieldsOf(m_rig.RecordsOf(ip)).contains(lastCondition), 15000);
    QCOMPARE(m_rig.sim.LinesWith(dropped).size(), 4);
    QVERIFY(m_rig.ConnectionLevels(ip).isEmpty());
}

void TestDeviceConversations::noDescriptorLeftIsNotADeviceLoss()
{
    // Registered and forgotten, as after Manage Device: the threads run, and queued again it is written to again.
    const QString ip = Device(50);
    QVERIFY(m_rig.Prepare());
    m_thread.AddIP(ip);
    QTRY_COMPARE(m_rig.Reads(ip), QStringLiteral("1/1"));
    m_rig.server.RemoveDevice(ip);
    const int lowest = open("/dev/null", O_RDONLY);
    QVERIFY(lowest >= 0);
    close(lowest);
    {
        // Not one socket can be opened: the SET never leaves the station.
        const DebugLines notSent({ip, QStringLiteral("not sent")});
        const DescriptorLimit exhausted{rlim_t(lowest)};
        QVERIFY(exhausted.IsSet());
        m_thread.AddIP(ip);
        QTRY_VERIFY(notSent.Count() >= 1);
    }
    // Sent again once it can be, with no lost connection reported meanwhile.
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.Reads(ip), QStringLiteral("2/2"), 8000);
    QCOMPARE(m_rig.SetsOf(ip).size(), 2);
    QVERIFY(m_rig.ConnectionLevels(ip).isEmpty());
}

void TestDeviceConversations::sessionsStayWithinTheDescriptorLimit()
{
    // Nine refusing devices whose answers are held back, so that every SET holds its session a while.
    QVERIFY(m_rig.Prepare(QStringLiteral("127.0.1.51-59 refuse-set on\n127.0.1.51-59 delay 300\npeak")));
    const int spare = 4;
    const DescriptorLimit tight{rlim_t(SnmpConversations::DescriptorMargin + spare)};
    QVERIFY(tight.IsSet());
    ConnectDeviceThread registration(&m_rig.server);
    for (int n = 51; n <= 59; ++n)
        registration.AddIP(Device(n));
    for (int n = 51; n <= 59; ++n)
        QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(Device(n)), QStringLiteral("3"), 8000);
    m_rig.sim.Send(QStringLiteral("peak"));
    QVERIFY(m_rig.sim.Sync());
    const QStringList peak = m_rig.sim.LinesWith({QStringLiteral("peak ")});
    QCOMPARE(peak.size(), 1);
    const int inFlight = peak.first().section(QLatin1Char(' '), 1).toInt();
    QVERIFY2(inFlight >= 1 && inFlight <= spare, qPrintable(peak.first()));
}

void TestDeviceConversations::probeGoesAheadOfWaitingReads()
{
    // Two places, one of them for reads: two reads of a slow device, then a probe of another.
    const QString slow = Device(41);
    QVERIFY(m_rig.Prepare(slow + QStringLiteral(" delay 20")));
    SnmpConversations conversations(2, 1);
    conversations.Add(StateRead(slow, nullptr));
    conversations.Add(StateRead(slow, nullptr));
    int status = -1;
    QVERIFY(m_rig.server.ProbeDevice(Device(42), &conversations, [&status](int answered) { status = answered; }));
    const QDeadlineTimer deadline(20000);
    while (status < 0 && !deadline.hasExpired())
        conversations.Poll(100);

    // Answered while the first read runs and the second waits.
    QCOMPARE(status, 0);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.Reads(slow), QStringLiteral("1/0"));
    conversations.Clear();
    m_rig.sim.Send(slow + QStringLiteral(" delay 0"));
}

void TestDeviceConversations::cleanupTestCase()
{
    // The handler calls into the thread, which goes first.
    m_rig.road.handler.SetConnectDeviceThread(nullptr);
}

QTEST_GUILESS_MAIN(TestDeviceConversations)
#include "TestDeviceConversations.moc"

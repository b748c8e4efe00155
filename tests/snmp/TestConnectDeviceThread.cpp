#include "FreeUdpPort.h"
#include "SnmpTestRig.h"
#include "snmp/ConnectDeviceThread.h"
#include "snmp/DeviceObjects.h"

#include <QtTest>

// Registration of the station on simulated probes 127.0.1.x over real UDP, wired as the main window wires it (the
// handler queues a device found again), with the server's own presence detection. Observed at the probes and
// through the alarm handler.
class TestConnectDeviceThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void silentDevicesDelayNoLiveOne();
    void deviceSilencedMidRunIsLostOnceFoundOnceAndReadAnew();
    void refusingDeviceKeepsOneAlarmUntilItTakesTheDestination();
    void deviceOffAtStartIsReadOnceWhenItComesBack();
    void deviceQueuedTwiceIsRegisteredOnce();
    void stopLeavesNothingInFlight();
    void registrationQueuedWhileStoppingRegistersNothing();
    void cleanupTestCase();

private:
    // GETs of the device's state objects, the presence probes left out.
    int StateReads(const QString& ip) { return m_rig.GetCount(ip) - m_rig.ProbesOf(ip).size(); }

    SnmpTestRig m_rig;
    ConnectDeviceThread* m_thread = nullptr;
};

namespace {

QString Device(int n)
{
    return QStringLiteral("127.0.1.%1").arg(n);
}

int IndexOf(const QList<AlarmRecord>& records, const QString& fields)
{
    return FieldsOf(records).indexOf(fields);
}

} // namespace

void TestConnectDeviceThread::initTestCase()
{
    QString error;
    QVERIFY2(m_rig.Start(QStringLiteral("127.0.1"), 10, 29, &error), qPrintable(error));
    m_thread = new ConnectDeviceThread(&m_rig.server, this);
    m_rig.handler.SetConnectDeviceThread(m_thread);
}

void TestConnectDeviceThread::silentDevicesDelayNoLiveOne()
{
    // Four powered-off devices queued before eight live ones; each live one has its last object active, so that
    // its record says its state read is over.
    QVERIFY(m_rig.Prepare(QStringLiteral("127.0.1.10-13 silent\n127.0.1.14-21 raise overload aes:32 1")));
    for (int n = 10; n <= 21; ++n)
        m_thread->AddIP(Device(n));

    QTRY_VERIFY_WITH_TIMEOUT(m_rig.ConnectionLevels(Device(13)) == "3" && m_rig.ConnectionLevels(Device(10)) == "3",
                             15000);
    const QList<AlarmRecord> records = m_rig.display.Records();
    int firstLost = records.size();
    for (int n = 10; n <= 13; ++n)
        firstLost = qMin(firstLost, IndexOf(records, Fields(Device(n), 0, -1, -1, AlarmTypeConnection, LevelError)));
    QVERIFY(m_rig.sim.Sync());
    const QString set =
        QStringLiteral("<- set %1=\"%2\"").arg(DeviceObjects::TrapDestination(), m_rig.TrapDestination());
    for (int n = 14; n <= 21; ++n) {
        const QString ip = Device(n);
        const int read = IndexOf(records, Fields(ip, PortTypeAes, 1, 32, AlarmTypeAudioOverload, LevelWarn));
        QVERIFY2(read >= 0 && read < firstLost, qPrintable(ip));
        // The SET first, then the whole state read.
        QCOMPARE(m_rig.sim.LinesWith({ip + QStringLiteral(" <- ")}).first(), ip + QLatin1Char(' ') + set);
        QCOMPARE(m_rig.SetsOf(ip).size(), 1);
        QCOMPARE(StateReads(ip), 188);
    }
    m_rig.sim.Send(QStringLiteral("127.0.1.10-13 back"));
}

void TestConnectDeviceThread::deviceSilencedMidRunIsLostOnceFoundOnceAndReadAnew()
{
    const QString ip = Device(14);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" silent")));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("3"), 15000);

    // What changed while it was away is read when it answers again, after the connection record.
    m_rig.sim.Send(ip + QStringLiteral(" raise lost bnc:2\n") + ip + QStringLiteral(" back"));
    const QStringList readAnew = {Fields(ip, 0, -1, -1, AlarmTypeConnection, LevelNormal),
                                  Fields(ip, PortTypeBnc, 2, -1, AlarmTypeVideoLost, LevelError),
                                  Fields(ip, PortTypeAes, 1, 32, AlarmTypeAudioOverload, LevelWarn)};
    QTRY_COMPARE_WITH_TIMEOUT(FieldsOf(m_rig.RecordsOf(ip)).mid(2), readAnew, 15000);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(StateReads(ip), 188);
    // Registered already: the re-queue that the found report brings sends nothing.
    QVERIFY(m_rig.SetsOf(ip).isEmpty());
    QCOMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("31"));
}

void TestConnectDeviceThread::refusingDeviceKeepsOneAlarmUntilItTakesTheDestination()
{
    const QString ip = Device(22);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" refuse-set on")));
    m_thread->SetRefusedRetryInterval(300);

    m_thread->AddIP(ip);
    QTRY_VERIFY_WITH_TIMEOUT(m_rig.SetsOf(ip).size() >= 3, 5000);
    QCOMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("3"));
    QCOMPARE(StateReads(ip), 0);

    m_rig.sim.Send(ip + QStringLiteral(" refuse-set off"));
    QTRY_COMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("31"));
    QTRY_COMPARE(StateReads(ip), 188);
    const int sets = m_rig.SetsOf(ip).size();
    QTest::qWait(600);
    QCOMPARE(m_rig.SetsOf(ip).size(), sets);
    QCOMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("31"));
    m_thread->SetRefusedRetryInterval(60000);
}

void TestConnectDeviceThread::deviceOffAtStartIsReadOnceWhenItComesBack()
{
    const QString ip = Device(23);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" silent")));

    m_thread->AddIP(ip);
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("3"), 8000);

    // Back on: presence detection finds it within a few cycles, and the handler queues it for registration.
    m_rig.sim.Send(ip + QStringLiteral(" back"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("31"), 15000);
    // Four unanswered tries while it was off, then the one it answers, then its state read: once, by the
    // registration, not also by the presence detection that found it.
    const QStringList destinationSet = {ip + QStringLiteral(" <- set "), m_rig.TrapDestination() + QLatin1Char('"')};
    QTRY_COMPARE(m_rig.sim.LinesWith(destinationSet).size(), 5);
    QCOMPARE(m_rig.sim.LinesWith(destinationSet).filter(QStringLiteral("not answered")).size(), 4);
    QTRY_COMPARE(StateReads(ip), 188);
    QTest::qWait(300);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(StateReads(ip), 188);

    // Its notifications reach the station now.
    m_rig.sim.Send(ip + QStringLiteral(" raise lost bnc:3"));
    QTRY_COMPARE(FieldsOf(m_rig.RecordsOf(ip)).last(), Fields(ip, 1, 3, -1, 4, 3));
}

void TestConnectDeviceThread::deviceQueuedTwiceIsRegisteredOnce()
{
    const QString ip = Device(24);
    QVERIFY(m_rig.Prepare());
    m_thread->AddIP(ip);
    m_thread->AddIP(ip);
    m_thread->AddIP(QString());
    QTRY_COMPARE(StateReads(ip), 188);
    // Queued again once registered, it is not written to again in the same monitoring run.
    m_thread->AddIP(ip);
    m_thread->AddIP(Device(25));
    QTRY_COMPARE(StateReads(Device(25)), 188);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.SetsOf(ip).size(), 1);
    QCOMPARE(StateReads(ip), 188);
}

void TestConnectDeviceThread::stopLeavesNothingInFlight()
{
    const QString silent = Device(26);
    QVERIFY(m_rig.Prepare(silent + QStringLiteral(" silent")));

    m_thread->AddIP(silent);
    QTRY_COMPARE(m_rig.SetsOf(silent).size(), 1);
    m_thread->Stop();
    QVERIFY(!m_thread->isRunning());
    // The SET's retries would go out a second apart; none does.
    QVERIFY(m_rig.sim.Sync());
    const int sent = m_rig.SetsOf(silent).size();
    QTest::qWait(1500);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.SetsOf(silent).size(), sent);
    QVERIFY(m_rig.ConnectionLevels(silent).isEmpty());

    // The thread is usable again.
    m_thread->AddIP(Device(27));
    QTRY_COMPARE(m_rig.SetsOf(Device(27)).size(), 1);
    m_rig.sim.Send(silent + QStringLiteral(" back"));
}

void TestConnectDeviceThread::registrationQueuedWhileStoppingRegistersNothing()
{
    QVERIFY(m_rig.Prepare());
    // As the handler does on a connection report while monitoring stops, and after it stopped.
    m_rig.server.MarkStopping();
    m_thread->AddIP(Device(28));
    m_rig.server.Stop();
    m_thread->AddIP(Device(29));
    // A trap port of 0 leaves the server stopped: no device is told "address:0".
    QVERIFY(!m_rig.server.Start(QStringLiteral("127.0.0.1"), 0));
    m_thread->AddIP(Device(28));
    QTRY_VERIFY(!m_thread->isRunning());
    QVERIFY(m_rig.sim.Sync());
    QVERIFY(m_rig.sim.LinesWith({QStringLiteral(" <- set ")}).isEmpty());

    // The next run begins with nothing registered: a device registered in the last run is told the new port.
    m_rig.trapPort = FreeUdpPort();
    QVERIFY(m_rig.server.Start(QStringLiteral("127.0.0.1"), m_rig.trapPort));
    m_thread->AddIP(Device(15));
    QTRY_COMPARE(m_rig.sim.LinesWith({Device(15) + QStringLiteral(" <- set "), m_rig.TrapDestination()}).size(), 1);
    QTRY_COMPARE(StateReads(Device(15)), 188);
}

void TestConnectDeviceThread::cleanupTestCase()
{
    // The thread calls into the rig's server, and the handler into the thread: both links go before the rig does.
    m_rig.handler.SetConnectDeviceThread(nullptr);
    m_thread->Stop();
    delete m_thread;
    m_thread = nullptr;
}

QTEST_GUILESS_MAIN(TestConnectDeviceThread)
#include "TestConnectDeviceThread.moc"

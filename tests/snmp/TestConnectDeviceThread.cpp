#include "SnmpTestRig.h"
#include "snmp/ConnectDeviceThread.h"
#include "snmp/DeviceObjects.h"
#include "snmp/SnmpDeviceSession.h"

#include <QtTest>

// Registration of the station on simulated probes 127.0.1.x over real UDP, observed at the probes and through the
// alarm handler.
class TestConnectDeviceThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void devicesAreRegisteredInQueueOrderOneAtATime();
    void addressWaitingInTheQueueIsQueuedOnce();
    void failedRegistrationReportsLostConnection_data();
    void failedRegistrationReportsLostConnection();
    void deviceOffAtStartIsRegisteredWhenItComesBack();
    void stopDiscardsTheQueue();
    void cleanupTestCase();

private:
    SnmpTestRig m_rig;
    ConnectDeviceThread* m_thread = nullptr;
};

namespace {

QString Device(int n)
{
    return QStringLiteral("127.0.1.%1").arg(n);
}

} // namespace

void TestConnectDeviceThread::initTestCase()
{
    QString error;
    QVERIFY2(m_rig.Start(QStringLiteral("127.0.1"), 10, 29, &error), qPrintable(error));
    // Wired as the main window wires it: a device found again is queued for registration by the handler.
    m_thread = new ConnectDeviceThread(&m_rig.server, this);
    m_rig.handler.SetConnectDeviceThread(m_thread);
}

void TestConnectDeviceThread::devicesAreRegisteredInQueueOrderOneAtATime()
{
    const QStringList devices = {Device(12), Device(10), Device(11)};
    QVERIFY(m_rig.Prepare(Device(11) + QStringLiteral(" raise freeze bnc:7 1")));

    for (const QString& ip : devices)
        m_thread->AddIP(ip);

    // The last device's state reading is over after its 188th request; its freeze came in on the way.
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.GetCount(Device(11)), 188, 10000);
    QTRY_COMPARE(FieldsOf(m_rig.RecordsOf(Device(11))), QStringList{Fields(Device(11), 1, 7, -1, 2, 2)});

    QVERIFY(m_rig.sim.Sync());
    const QString expectedSet =
        QStringLiteral("<- set %1=\"%2\"").arg(DeviceObjects::TrapDestination(), m_rig.TrapDestination());
    const QStringList requests = m_rig.sim.LinesWith({QStringLiteral(" <- ")});
    QStringList order;
    for (const QString& line : requests) {
        const QString ip = line.section(QLatin1Char(' '), 0, 0);
        if (order.isEmpty() || order.last() != ip)
            order.append(ip);
        if (line.contains(QLatin1String(" <- set ")))
            QCOMPARE(line, ip + QLatin1Char(' ') + expectedSet);
    }
    // Each device's SET and its whole state reading before the next device's SET.
    QCOMPARE(order, devices);
    for (const QString& ip : devices) {
        QCOMPARE(m_rig.SetsOf(ip).size(), 1);
        QCOMPARE(m_rig.GetCount(ip), 188);
    }

    // The device keeps what was written: read it back as any manager would.
    SnmpDeviceSession session(Device(10), SnmpDeviceSession::DevicePort(), 1);
    SnmpVarbind destination;
    QCOMPARE(session.Get(DeviceObjects::TrapDestination(), &destination), 0);
    QCOMPARE(destination.octets, m_rig.TrapDestination().toUtf8());

    // Queued again once registered, a device is not written to again in the same monitoring run.
    m_thread->AddIP(Device(10));
    m_thread->AddIP(Device(13));
    QTRY_COMPARE(m_rig.SetsOf(Device(13)).size(), 1);
    QCOMPARE(m_rig.SetsOf(Device(10)).size(), 1);
}

void TestConnectDeviceThread::addressWaitingInTheQueueIsQueuedOnce()
{
    // A device that refuses the SET stays unregistered, so every time it is taken from the queue it is written to.
    const QString busy = Device(14);
    const QString refusing = Device(15);
    QVERIFY(m_rig.Prepare(refusing + QStringLiteral(" refuse-set on")));

    // While the first device's registration runs, the second waits in the queue.
    m_thread->AddIP(busy);
    m_thread->AddIP(refusing);
    m_thread->AddIP(refusing);
    m_thread->AddIP(QString());
    QTRY_COMPARE(m_rig.ConnectionLevels(refusing), QStringLiteral("3"));
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.GetCount(busy), 188);
    QCOMPARE(m_rig.SetsOf(refusing).size(), 1);

    // Taken from the queue, it can be queued again.
    m_thread->AddIP(refusing);
    QTRY_COMPARE(m_rig.SetsOf(refusing).size(), 2);
    QTRY_COMPARE(m_rig.ConnectionLevels(refusing), QStringLiteral("33"));
}

void TestConnectDeviceThread::failedRegistrationReportsLostConnection_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("behaviour");
    QTest::addColumn<int>("tries");

    QTest::newRow("refused") << Device(16) << "refuse-set on" << 1;
    QTest::newRow("unanswered") << Device(17) << "silent" << 4;
}

void TestConnectDeviceThread::failedRegistrationReportsLostConnection()
{
    QFETCH(QString, ip);
    QFETCH(QString, behaviour);
    QFETCH(int, tries);

    QVERIFY(m_rig.Prepare(ip + QLatin1Char(' ') + behaviour));

    QVERIFY(!m_rig.server.SetServer(ip));
    QTRY_COMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("3"));
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.SetsOf(ip).size(), tries);
    // No state reading of a device the station could not register on.
    QCOMPARE(m_rig.GetCount(ip), 0);

    // Answering again keeps it from slowing down the presence probes of the cases that follow.
    m_rig.sim.Send(ip + QStringLiteral(" back\n") + ip + QStringLiteral(" refuse-set off"));
}

void TestConnectDeviceThread::deviceOffAtStartIsRegisteredWhenItComesBack()
{
    const QString ip = Device(18);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" silent")));

    m_thread->AddIP(ip);
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("3"), 8000);

    // Back on: presence detection finds it within a few cycles, and the handler queues it for registration.
    m_rig.sim.Send(ip + QStringLiteral(" back"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("31"), 15000);
    // Four unanswered tries while it was off, then the one it answers.
    const QStringList destinationSet = {ip + QStringLiteral(" <- set "), m_rig.TrapDestination() + QLatin1Char('"')};
    QTRY_COMPARE(m_rig.sim.LinesWith(destinationSet).size(), 5);
    QCOMPARE(m_rig.sim.LinesWith(destinationSet).filter(QStringLiteral("not answered")).size(), 4);
    QTRY_VERIFY(
        !m_rig.sim
             .LinesWith({ip + QStringLiteral(" <- get ") + DeviceObjects::VideoPort(DeviceObjects::VideoStandard, 1)})
             .isEmpty());

    // Its notifications reach the station now.
    m_rig.sim.Send(ip + QStringLiteral(" raise lost bnc:3"));
    QTRY_VERIFY_WITH_TIMEOUT(m_rig.sim.LinesWith({ip + QStringLiteral(" -> trap ")}).size() == 1, 5000);
    QTRY_COMPARE(FieldsOf(m_rig.RecordsOf(ip)).last(), Fields(ip, 1, 3, -1, 4, 3));
}

void TestConnectDeviceThread::stopDiscardsTheQueue()
{
    const QString slow = Device(19);
    QVERIFY(m_rig.Prepare(slow + QStringLiteral(" silent")));

    m_thread->AddIP(slow);
    for (int n = 20; n <= 23; ++n)
        m_thread->AddIP(Device(n));
    QTRY_COMPARE(m_rig.SetsOf(slow).size(), 1);
    // Returns once the unanswered SET has given up; nothing queued behind it is registered.
    m_thread->Stop();
    QVERIFY(!m_thread->isRunning());
    QVERIFY(m_rig.sim.Sync());
    for (int n = 20; n <= 23; ++n)
        QVERIFY(m_rig.SetsOf(Device(n)).isEmpty());

    // The thread is usable again.
    m_thread->AddIP(Device(24));
    QTRY_COMPARE(m_rig.SetsOf(Device(24)).size(), 1);
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

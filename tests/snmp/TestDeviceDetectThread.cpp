#include "SnmpTestRig.h"
#include "snmp/DeviceDetectThread.h"
#include "snmp/DeviceObjects.h"

#include <QElapsedTimer>
#include <QtTest>

// Presence detection against simulated probes 127.0.2.x over real UDP; connection records are observed through the
// alarm handler. Each case has a watcher of its own on the rig's server.
class TestDeviceDetectThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void silentDeviceIsProbedAfterThreeCyclesAndNotReportedWhileItAnswers();
    void deviceThatStopsAnsweringIsReportedOnceAndAgainWhenBack();
    void signOfLifeFromALostDeviceBringsItsProbeForward();
    void stopDuringTheWaitEndsWithoutProbing();

private:
    SnmpTestRig m_rig;
};

namespace {

QString Device(int n)
{
    return QStringLiteral("127.0.2.%1").arg(n);
}

} // namespace

void TestDeviceDetectThread::initTestCase()
{
    QString error;
    QVERIFY2(m_rig.Start(QStringLiteral("127.0.2"), 9, 12, &error), qPrintable(error));
}

void TestDeviceDetectThread::silentDeviceIsProbedAfterThreeCyclesAndNotReportedWhileItAnswers()
{
    const QString ip = Device(9);
    QVERIFY(m_rig.Prepare());
    DeviceDetectThread watcher(&m_rig.server);
    QElapsedTimer clock;
    clock.start();
    watcher.AddDevice(ip, DeviceDetectThread::Reachable);

    QTRY_VERIFY_WITH_TIMEOUT(!m_rig.ProbesOf(ip).isEmpty(), 8000);
    QVERIFY2(clock.elapsed() >= 2 * DeviceDetectThread::CycleMs + 1000, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(100);
    QCOMPARE(m_rig.ProbesOf(ip).size(), 1);
    QVERIFY(m_rig.display.Records().isEmpty());
}

void TestDeviceDetectThread::deviceThatStopsAnsweringIsReportedOnceAndAgainWhenBack()
{
    const QString ip = Device(11);
    QVERIFY(m_rig.Prepare());
    DeviceDetectThread watcher(&m_rig.server);
    watcher.AddDevice(ip, DeviceDetectThread::Reachable);
    m_rig.sim.Send(ip + QStringLiteral(" silent"));

    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("3"), 10000);
    // A second failed probe (three more unanswered tries) reports nothing new.
    QTRY_VERIFY_WITH_TIMEOUT(m_rig.ProbesOf(ip).size() >= 6, 12000);
    QCOMPARE(m_rig.ConnectionLevels(ip), QStringLiteral("3"));

    // Found again once. Its state is read by its registration, which the handler queues on this report (see
    // TestConnectDeviceThread); the server here has not registered it, so nothing is read.
    m_rig.sim.Send(ip + QStringLiteral(" raise freeze bnc:2 1\n") + ip + QStringLiteral(" back"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ConnectionLevels(ip), QStringLiteral("31"), 10000);
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.RecordsOf(ip).size(), 2);
    QCOMPARE(m_rig.GetCount(ip), m_rig.ProbesOf(ip).size());
}

void TestDeviceDetectThread::signOfLifeFromALostDeviceBringsItsProbeForward()
{
    // Still silent towards requests: the probe that the sign of life brings forward fails, and the device stays
    // lost without a second report.
    const QString ip = Device(12);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" silent")));
    DeviceDetectThread watcher(&m_rig.server);
    watcher.AddDevice(ip, DeviceDetectThread::Lost);
    QElapsedTimer clock;
    clock.start();
    watcher.NotifyAlive(ip);

    QTRY_VERIFY_WITH_TIMEOUT(!m_rig.ProbesOf(ip).isEmpty(), 8000);
    // Without the sign of life the first probe would wait for three cycles.
    QVERIFY2(clock.elapsed() < 3 * DeviceDetectThread::CycleMs - 300, qPrintable(QString::number(clock.elapsed())));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig.ProbesOf(ip).size(), 3, 5000);
    // The probe gives up a timeout after its last try.
    QTest::qWait(1300);
    QVERIFY(m_rig.RecordsOf(ip).isEmpty());
}

void TestDeviceDetectThread::stopDuringTheWaitEndsWithoutProbing()
{
    const QString ip = Device(9);
    QVERIFY(m_rig.Prepare());
    DeviceDetectThread watcher(&m_rig.server);
    watcher.AddDevice(ip, DeviceDetectThread::Reachable);
    QTest::qWait(100);

    QElapsedTimer clock;
    clock.start();
    watcher.Stop();
    QVERIFY(!watcher.isRunning());
    QVERIFY2(clock.elapsed() < DeviceDetectThread::CycleMs, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(m_rig.sim.Sync());
    QVERIFY(m_rig.ProbesOf(ip).isEmpty());
}

QTEST_GUILESS_MAIN(TestDeviceDetectThread)
#include "TestDeviceDetectThread.moc"

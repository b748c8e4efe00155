#include "FreeUdpPort.h"
#include "RecordingDisplay.h"
#include "TrapSender.h"
#include "alarm/AlarmHandler.h"
#include "alarm/ShowAlarmManager.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "snmp/SnmpServer.h"

#include <QUdpSocket>
#include <QtTest>

namespace {
const QString E = QStringLiteral("1.3.6.1.4.1.58206");
const QString Known = QStringLiteral("127.0.0.31");
} // namespace

// The server between the socket and the handler: what it hands on, and when.
class TestSnmpServer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void connectionReportsOnlyWhileListening();
    void restartMovesToTheNewPort();

private:
    bool SendLost(quint16 port);

    RecordingDisplay m_display;
    ShowAlarmManager m_router;
    std::unique_ptr<AlarmHandler> m_handler;
    std::unique_ptr<SnmpServer> m_server;
};

void TestSnmpServer::init()
{
    m_display.Clear();
    m_router.SetDisplay(&m_display);
    m_handler = std::make_unique<AlarmHandler>();
    m_handler->SetShowAlarmManager(&m_router);
    DeviceConfigNode device(Known, QStringLiteral("Studio"));
    PortConfigNode port;
    port.SetSignalName(QStringLiteral("Camera 3"));
    device.SetBncPort(2, port);
    DeviceConfigFile config;
    config.AddDevice(device);
    m_handler->SetDeviceConfig(config);
    m_server = std::make_unique<SnmpServer>();
    m_server->SetAlarmHandler(m_handler.get());
}

void TestSnmpServer::cleanup()
{
    m_server.reset();
    m_handler.reset();
}

bool TestSnmpServer::SendLost(quint16 port)
{
    TrapSender sender(Known, port);
    return sender.SendTrap(E + ".1.2.3.2.1.3.2",
                           {{E + ".1", 'i', "1"}, {E + ".2", 'i', "3"}, {E + ".3", 'i', "5"}, {E + ".4", 'i', "2"}});
}

void TestSnmpServer::connectionReportsOnlyWhileListening()
{
    m_server->ReportConnectionState(Known, false);
    const quint16 port = FreeUdpPort();
    QVERIFY(m_server->Start(QStringLiteral("127.0.0.1"), port));
    m_server->ReportConnectionState(Known, false);
    m_server->ReportConnectionState(Known, true);
    QTRY_COMPARE(m_display.Count(), 2);
    m_server->Stop();
    m_server->ReportConnectionState(Known, false);
    QTest::qWait(100);

    const QList<AlarmRecord> records = m_display.Records();
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[0].alarmType, 32);
    QCOMPARE(records[0].level, 3);
    QCOMPARE(records[1].level, 1);
    QCOMPARE(records[1].portID, -1);
    QCOMPARE(records[1].deviceName, QString("Studio"));
}

void TestSnmpServer::restartMovesToTheNewPort()
{
    const quint16 first = FreeUdpPort();
    QVERIFY(m_server->Start(QStringLiteral("127.0.0.1"), first));
    const quint16 second = FreeUdpPort();
    QVERIFY(second != first);
    QVERIFY(m_server->Start(QStringLiteral("127.0.0.1"), second));
    QVERIFY(SendLost(first));
    QVERIFY(SendLost(second));
    QTRY_COMPARE(m_display.Count(), 1);
    QTest::qWait(100);
    QCOMPARE(m_display.Count(), 1);

    // A port that cannot be opened leaves the server idle, with the reason.
    QUdpSocket squatter;
    const quint16 taken = FreeUdpPort();
    QVERIFY(squatter.bind(QHostAddress::AnyIPv4, taken));
    QVERIFY(!m_server->Start(QStringLiteral("127.0.0.1"), taken));
    QVERIFY(m_server->ErrorString().contains(QString::number(taken)));
    QVERIFY(SendLost(second));
    QTest::qWait(100);
    QCOMPARE(m_display.Count(), 1);

    // Port 0 (a hand-edited configuration) would listen on a port no device is told: refused like one past 65535.
    for (const quint32 port : {0u, 65536u}) {
        QVERIFY(!m_server->Start(QStringLiteral("127.0.0.1"), port));
        QCOMPARE(m_server->ErrorString(), QStringLiteral("%1 is not a UDP port").arg(port));
    }
}

QTEST_GUILESS_MAIN(TestSnmpServer)
#include "TestSnmpServer.moc"

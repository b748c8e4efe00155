#include "AlarmRecords.h"
#include "AlarmRoad.h"
#include "FreeUdpPort.h"
#include "StationFiles.h"
#include "TrapSender.h"
#include "snmp/SnmpServer.h"
#include "snmp/TrapDecoder.h"
#include "snmp/TrapListener.h"

#include <QMutex>
#include <QUdpSocket>
#include <QtTest>

using Varbinds = QList<TrapSender::Varbind>;
Q_DECLARE_METATYPE(Varbinds)

namespace {
const QString E = QLatin1String(TrapSender::Enterprise);
const QString Known = QStringLiteral("127.0.0.31");

Varbinds Ints(const QString& table, const QList<int>& values)
{
    Varbinds list;
    for (int i = 0; i < values.size(); ++i)
        list.append({QStringLiteral("%1.%2.%3").arg(E, table).arg(i + 1), 'i', QString::number(values[i])});
    return list;
}
} // namespace

// Real notifications over loopback UDP into the listener; each decoded record is kept for the test to inspect. Then
// the server between the socket and the handler: what it hands on, and when.
class TestTrapDecoding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void decodingTable_data();
    void decodingTable();
    void informIsAcknowledgedAndDecoded();
    void notificationWithoutTrapOidIsUndecided();
    void malformedPacketsChangeNothing();
    void v1TrapIsTakenFromItsSender();
    void connectionReportsOnlyWhileListening();
    void restartMovesToTheNewPort();

private:
    AlarmRecord WaitForOne();

    quint16 m_port = 0;
    std::unique_ptr<TrapListener> m_listener;
    QStringList m_standards;
    QMutex m_receivedLock;
    QList<AlarmRecord> m_received;
    std::unique_ptr<AlarmRoad> m_road;
};

void TestTrapDecoding::initTestCase()
{
    const SnmpServer server;
    for (int i = 0; i < 22; ++i)
        m_standards << server.VideoStandardName(i);
    m_port = FreeUdpPort();
    m_listener = std::make_unique<TrapListener>([this](const TrapMessage& message) {
        AlarmRecord record;
        record.Init(message.senderIp);
        TrapDecoder::Decode(message, m_standards, &record);
        QMutexLocker locker(&m_receivedLock);
        m_received.append(record);
    });
    QVERIFY2(m_listener->Open(m_port), qPrintable(m_listener->ErrorString()));
}

void TestTrapDecoding::init()
{
    m_road = std::make_unique<AlarmRoad>();
    m_road->handler.SetDeviceConfig(StationFiles::Devices({{Known, QStringLiteral("Studio")}}));
    QMutexLocker locker(&m_receivedLock);
    m_received.clear();
}

AlarmRecord TestTrapDecoding::WaitForOne()
{
    // An empty record comes back on time-out, which every caller's comparisons then reject.
    const QDeadlineTimer deadline(3000);
    for (;; QTest::qWait(5)) {
        QMutexLocker locker(&m_receivedLock);
        if (!m_received.isEmpty())
            return m_received.takeFirst();
        if (deadline.hasExpired())
            return AlarmRecord();
    }
}

void TestTrapDecoding::decodingTable_data()
{
    QTest::addColumn<QString>("trapOid");
    QTest::addColumn<Varbinds>("varbinds");
    // portType, portID, trackID, alarmType, level
    QTest::addColumn<QList<int>>("decided");
    QTest::addColumn<QString>("note");

    // The kinds that probe-sim sends are decoded from its notifications too; these are the unusual ones.
    const QString lost = E + ".1.2.3.2.1.3.2";
    const QString aesOverload = E + ".1.2.3.2.3.3.3";
    const QString fan = E + ".1.2.3.1.7.2";
    QTest::newRow("video lost, standard named when normal")
        << lost << Ints("1.2.3.2.1.2.1", {1, 3, 17, 0}) << QList<int>{1, 3, -1, 4, 1} << "VSTD: 1080p50";
    QTest::newRow("video lost error has no note")
        << lost << Ints("1.2.3.2.1.2.1", {1, 3, 17, 2}) << QList<int>{1, 3, -1, 4, 3} << "";
    QTest::newRow("video lost unknown standard")
        << lost << Ints("1.2.3.2.1.2.1", {1, 3, 22, 0}) << QList<int>{1, 3, -1, 4, 1} << "VSTD: unknown";
    QTest::newRow("video lost on a non-BNC port kind")
        << lost << Ints("1.2.3.2.1.2.1", {2, 3, 0, 1}) << QList<int>{0, 3, -1, 4, 2} << "";
    QTest::newRow("freeze with two varbinds keeps no port")
        << E + ".1.2.3.2.1.3.3" << Ints("9.9", {1, 16}) << QList<int>{0, -1, -1, 2, 0} << "";
    QTest::newRow("values of the wrong type are not read")
        << E + ".1.2.3.2.2.3.2"
        << Varbinds{{E + ".1", 's', "1"}, {E + ".2", 'i', "4"}, {E + ".3", 'u', "7"}, {E + ".4", 's', "2"}}
        << QList<int>{0, 4, -1, 8, 0} << "";
    QTest::newRow("discrete of unknown kind")
        << aesOverload << Ints("9.9", {3, 1, 5, 1}) << QList<int>{0, 1, 5, 16, 2} << "";
    QTest::newRow("severity outside the device range")
        << aesOverload << Ints("9.9", {2, 1, 5, 5}) << QList<int>{3, 1, 5, 16, 0} << "";
    QTest::newRow("disconnected with two varbinds")
        << E + ".1.1.2.6" << Ints("9.9", {1, 2}) << QList<int>{0, -1, -1, 0, 0} << "";
    QTest::newRow("sign of life") << E + ".1.1.2.4" << Varbinds{{E + ".1.1.2.4.1", 's', "alive and well"}}
                                  << QList<int>{0, -1, -1, 0, 0} << "alive and well";
    QTest::newRow("fan: the last varbind decides")
        << fan << Varbinds{{E + ".1.2.3.1.2.1", 'i', "5000"}, {E + ".1.2.3.1.2.2", 'i', "4500"}}
        << QList<int>{0, -1, -1, 64, 3} << "Fan2 :4500 rpm\n";
    QTest::newRow("fan of unknown number")
        << fan << Varbinds{{E + ".1.2.3.1.2.9", 'i', "6000"}} << QList<int>{0, -1, -1, 64, 1} << "Fan-1 :6000 rpm\n";
    QTest::newRow("power 1 on") << E + ".1.2.3.1.7.3" << Ints("9.9", {0}) << QList<int>{0, 0, -1, 128, 1}
                                << "Power1: ON";
    QTest::newRow("power 2 off") << E + ".1.2.3.1.7.4" << Ints("9.9", {3}) << QList<int>{0, 1, -1, 128, 2}
                                 << "Power2: OFF";
    QTest::newRow("unknown notification")
        << "1.3.6.1.4.1.9999.1" << Ints("9.9", {1, 2, 3, 4}) << QList<int>{0, -1, -1, 0, 0} << "";
}

void TestTrapDecoding::decodingTable()
{
    QFETCH(QString, trapOid);
    QFETCH(Varbinds, varbinds);
    QFETCH(QList<int>, decided);
    TrapSender sender("127.0.0.5", m_port);
    QVERIFY(sender.SendTrap(trapOid, varbinds));

    const AlarmRecord record = WaitForOne();
    QCOMPARE(FieldsOf({record}),
             QStringList{Fields("127.0.0.5", decided[0], decided[1], decided[2], decided[3], decided[4])});
    QTEST(record.note, "note");
    QVERIFY(record.deviceName.isEmpty() && record.signalName.isEmpty() && record.end_time.isNull());
}

void TestTrapDecoding::informIsAcknowledgedAndDecoded()
{
    TrapSender sender("127.0.0.12", m_port);
    QVERIFY(sender.SendInform(E + ".1.1.2.6", Ints("9.9", {1})));
    QCOMPARE(FieldsOf({WaitForOne()}), QStringList{Fields("127.0.0.12", 0, -1, -1, 32, 3)});
}

void TestTrapDecoding::notificationWithoutTrapOidIsUndecided()
{
    // A device that puts a freeze identifier anywhere but the second varbind has sent no notification identifier.
    TrapSender sender("127.0.0.13", m_port);
    QVERIFY(sender.SendRaw(
        {{"1.3.6.1.6.3.1.1.4.1.0", 'o', E + ".1.2.3.2.1.3.3"}, {"1.3.6.1.2.1.1.3.0", 't', "1"}, {E + ".1", 'i', "1"}}));
    QVERIFY(sender.SendRaw(
        {{"1.3.6.1.2.1.1.3.0", 't', "1"}, {"1.3.6.1.6.3.1.1.4.1.0", 's', E + ".1.2.3.2.1.3.3"}, {E + ".1", 'i', "1"}}));
    for (int i = 0; i < 2; ++i)
        QCOMPARE(FieldsOf({WaitForOne()}), QStringList{Fields("127.0.0.13", 0, -1, -1, 0, 0)});
}

void TestTrapDecoding::malformedPacketsChangeNothing()
{
    TrapSender sender("127.0.0.15", m_port);
    QByteArray valid;
    {
        // Capture a real encoded notification to cut it short below.
        QUdpSocket capture;
        QVERIFY(capture.bind(QHostAddress("127.0.0.15"), 0));
        TrapSender toCapture("127.0.0.16", capture.localPort(), "127.0.0.15");
        QVERIFY(toCapture.SendVideoLost(3, 2));
        QTRY_VERIFY(capture.hasPendingDatagrams());
        valid.resize(int(capture.pendingDatagramSize()));
        capture.readDatagram(valid.data(), valid.size());
    }
    QUdpSocket raw;
    QVERIFY(raw.bind(QHostAddress("127.0.0.17"), 0));
    const QList<QByteArray> garbage{QByteArray(), QByteArray("\x30\x82\xff\xff", 4), QByteArray(2000, '\xff'),
                                    valid.left(valid.size() / 2), valid.left(valid.size() - 1)};
    for (const QByteArray& packet : garbage)
        raw.writeDatagram(packet, QHostAddress("127.0.0.1"), m_port);

    // The listener survives and still decodes the next good notification.
    QVERIFY(sender.SendVideoLost(3, 2));
    QCOMPARE(FieldsOf({WaitForOne()}), QStringList{Fields("127.0.0.15", 1, 3, -1, 4, 3)});
    QMutexLocker locker(&m_receivedLock);
    QVERIFY(m_received.isEmpty());
}

void TestTrapDecoding::v1TrapIsTakenFromItsSender()
{
    // A real SNMPv1 trap from the command-line tool: its sender is the packet's source, not the address it names.
    QProcess snmptrap;
    snmptrap.start("snmptrap", {"-v", "1", "-c", "ravivu", QStringLiteral("udp:127.0.0.1:%1").arg(m_port), E,
                                "127.0.0.18", "6", "7", "0", E + ".9", "i", "1"});
    QVERIFY(snmptrap.waitForFinished(5000));
    QCOMPARE(snmptrap.exitCode(), 0);
    QCOMPARE(FieldsOf({WaitForOne()}), QStringList{Fields("127.0.0.1", 0, -1, -1, 0, 0)});
}

void TestTrapDecoding::connectionReportsOnlyWhileListening()
{
    SnmpServer server;
    server.SetAlarmHandler(&m_road->handler);
    server.ReportConnectionState(Known, false);
    QVERIFY(server.Start(QStringLiteral("127.0.0.1"), FreeUdpPort()));
    server.ReportConnectionState(Known, false);
    server.ReportConnectionState(Known, true);
    server.Stop();
    server.ReportConnectionState(Known, false);
    QVERIFY(m_road->Drain(Known));

    QCOMPARE(FieldsOf(m_road->display.Records()),
             (QStringList{Fields(Known, 0, -1, -1, AlarmTypeConnection, LevelError),
                          Fields(Known, 0, -1, -1, AlarmTypeConnection, LevelNormal)}));
}

void TestTrapDecoding::restartMovesToTheNewPort()
{
    // The server listens on every local address: a port it has let go can be taken by anyone again.
    auto released = [](quint16 port) {
        QUdpSocket socket;
        return socket.bind(QHostAddress::AnyIPv4, port, QUdpSocket::DontShareAddress);
    };
    SnmpServer server;
    server.SetAlarmHandler(&m_road->handler);
    const quint16 first = FreeUdpPort();
    QVERIFY(server.Start(QStringLiteral("127.0.0.1"), first));
    QVERIFY(!released(first));
    const quint16 second = FreeUdpPort();
    QVERIFY(server.Start(QStringLiteral("127.0.0.1"), second));
    QVERIFY(released(first));
    QVERIFY(TrapSender(Known, second).SendVideoLost(3, 2));
    QTRY_COMPARE(FieldsOf(m_road->display.Records()), QStringList{Fields(Known, 1, 3, -1, 4, 3)});

    // A port that cannot be opened leaves the server idle, with the reason.
    QUdpSocket squatter;
    const quint16 taken = FreeUdpPort();
    QVERIFY(squatter.bind(QHostAddress::AnyIPv4, taken));
    QVERIFY(!server.Start(QStringLiteral("127.0.0.1"), taken));
    QVERIFY(server.ErrorString().contains(QString::number(taken)));
    QVERIFY(released(second));

    // Port 0 (a hand-edited configuration) would listen on a port no device is told: refused like one past 65535.
    for (const quint32 port : {0u, 65536u}) {
        QVERIFY(!server.Start(QStringLiteral("127.0.0.1"), port));
        QCOMPARE(server.ErrorString(), QStringLiteral("%1 is not a UDP port").arg(port));
    }
}

QTEST_GUILESS_MAIN(TestTrapDecoding)
#include "TestTrapDecoding.moc"

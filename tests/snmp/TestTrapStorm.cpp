#include "AlarmRecords.h"
#include "AlarmRoad.h"
#include "FreeUdpPort.h"
#include "StationFiles.h"
#include "TrapSender.h"
#include "northbound/StationMetrics.h"
#include "snmp/SnmpServer.h"

#include <QSemaphore>
#include <QtTest>

namespace {
QString Probe(int i)
{
    return QStringLiteral("127.0.2.%1").arg(i + 1);
}

// Holds the handler's thread in the first record it hands on, until opened.
class GatedDisplay : public RecordingDisplay
{
public:
    void DealAlarm(const AlarmRecord* record) override
    {
        m_gate.acquire();
        m_gate.release();
        RecordingDisplay::DealAlarm(record);
    }
    void Open() { m_gate.release(); }

private:
    QSemaphore m_gate;
};
} // namespace

// Many probes at once, over loopback UDP, through the listener's decoding threads and the alarm handler.
class TestTrapStorm : public QObject
{
    Q_OBJECT

private slots:
    void eachProbeKeepsItsOrder();
    void burstBeyondTheHandlersQueueIsCounted();
};

void TestTrapStorm::eachProbeKeepsItsOrder()
{
    constexpr int Probes = 7;
    constexpr int Rounds = 160;
    AlarmRoad road;
    QList<QPair<QString, QString>> devices;
    for (int i = 0; i < Probes; ++i)
        devices.append({Probe(i), QStringLiteral("P%1").arg(i)});
    road.handler.SetDeviceConfig(StationFiles::Devices(devices));
    SnmpServer server;
    server.SetAlarmHandler(&road.handler);
    const quint16 port = FreeUdpPort();
    QVERIFY(server.Start(QStringLiteral("127.0.0.1"), port));

    // Starts and ends alternate, each on another port, so that a swap anywhere shows.
    std::vector<std::unique_ptr<TrapSender>> senders;
    QMap<QString, QStringList> sent;
    for (int i = 0; i < Probes; ++i)
        senders.push_back(std::make_unique<TrapSender>(Probe(i), port));
    for (int round = 0; round < Rounds; ++round) {
        const int severity = round % 2 ? 0 : 2;
        for (int i = 0; i < Probes; ++i) {
            QVERIFY(senders[size_t(i)]->SendVideoLost(1 + round % 16, severity));
            sent[Probe(i)] << Fields(Probe(i), PortTypeBnc, 1 + round % 16, -1, AlarmTypeVideoLost, severity + 1);
        }
    }
    QTRY_COMPARE_WITH_TIMEOUT(road.display.Records().size(), Probes * Rounds, 10000);
    QMap<QString, QStringList> received;
    for (const AlarmRecord& record : road.display.Records())
        received[record.ip] << FieldsOf({record});
    QCOMPARE(received, sent);
}

void TestTrapStorm::burstBeyondTheHandlersQueueIsCounted()
{
    constexpr int Traps = 1000;
    GatedDisplay display;
    ShowAlarmManager router;
    router.SetDisplay(&display);
    AlarmHandler handler(100);
    handler.SetShowAlarmManager(&router);
    handler.SetDeviceConfig(StationFiles::Devices({{Probe(0), QStringLiteral("P")}}));
    SnmpServer server;
    server.SetAlarmHandler(&handler);
    const quint16 port = FreeUdpPort();
    QVERIFY(server.Start(QStringLiteral("127.0.0.1"), port));

    QTest::ignoreMessage(QtDebugMsg, "The alarm handler's queue is full (100 records): dropping records");
    QTest::ignoreMessage(
        QtDebugMsg, QRegularExpression("^\\d+ alarm records were dropped while the alarm handler's queue was full$"));
    TrapSender sender(Probe(0), port);
    for (int i = 0; i < Traps; ++i)
        QVERIFY(sender.SendVideoLost(3, 2));
    QTRY_COMPARE_WITH_TIMEOUT(handler.ReceivedCount(), quint64(Traps), 10000);
    display.Open();
    // Every trap the station read is handed on or counted, and the metrics say how many were dropped.
    QTRY_COMPARE(display.Records().size() + handler.DroppedCount(), quint64(Traps));
    QVERIFY(handler.DroppedCount() > 0);
    const StationMetrics metrics({&handler, nullptr, nullptr, {}, {}, QStringLiteral("test")});
    QVERIFY(metrics.Exposition().contains(QByteArray("\nvizavovu_alarm_records_dropped_total ") +
                                          QByteArray::number(handler.DroppedCount()) + '\n'));
    server.Stop();
}

QTEST_GUILESS_MAIN(TestTrapStorm)
#include "TestTrapStorm.moc"

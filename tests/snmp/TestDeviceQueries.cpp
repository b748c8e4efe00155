#include "SnmpTestRig.h"
#include "snmp/DeviceObjects.h"
#include "snmp/DeviceStateQuery.h"
#include "snmp/SnmpConversations.h"

#include <QtTest>

// Reading a device's present state over real UDP from simulated probes 127.0.3.x.
class TestDeviceQueries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void activeConditionsBecomeRecordsInOrder_data();
    void activeConditionsBecomeRecordsInOrder();
    void stopIsCheckedBeforeEveryRequest();
    void stoppingSilencesQueriesButNotTheProbe();
    void silentDeviceEndsItsReadAndDelaysNoOther();

private:
    SnmpTestRig m_rig;
};

namespace {

QString Device(int n)
{
    return QStringLiteral("127.0.3.%1").arg(n);
}

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

void TestDeviceQueries::initTestCase()
{
    QString error;
    QVERIFY2(m_rig.Start(QStringLiteral("127.0.3"), 10, 19, &error), qPrintable(error));
}

void TestDeviceQueries::activeConditionsBecomeRecordsInOrder_data()
{
    QTest::addColumn<int>("device");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("all normal") << 10 << QStringList() << QStringList();
    // Lost before freeze before black, whatever order they were raised in; freeze is normal here.
    QTest::newRow("video port 5") << 11 << QStringList{"black bnc:5 1", "freeze bnc:5 0", "lost bnc:5 2"}
                                  << QStringList{Expect(11, 1, 5, -1, 4, 3), Expect(11, 1, 5, -1, 1, 2)};
    QTest::newRow("ports in order") << 12 << QStringList{"freeze bnc:16", "black bnc:1 1"}
                                    << QStringList{Expect(12, 1, 1, -1, 1, 2), Expect(12, 1, 16, -1, 2, 3)};
    QTest::newRow("embedded tracks") << 13 << QStringList{"overload bnc:3:8 1", "silence bnc:3:8", "silence bnc:2:1 1"}
                                     << QStringList{Expect(13, 1, 2, 1, 8, 2), Expect(13, 1, 3, 8, 8, 3),
                                                    Expect(13, 1, 3, 8, 16, 2)};
    // Analog is read before AES/EBU; both are port 1 of their kind.
    QTest::newRow("discrete tracks") << 14 << QStringList{"silence aes:32 1", "overload analog:12", "silence aes:1 0"}
                                     << QStringList{Expect(14, 4, 1, 12, 16, 3), Expect(14, 3, 1, 32, 8, 2)};
    // Video first, then embedded, then discrete audio.
    QTest::newRow("video before audio") << 15 << QStringList{"silence analog:1", "overload bnc:1:1", "lost bnc:16"}
                                        << QStringList{Expect(15, 1, 16, -1, 4, 3), Expect(15, 1, 1, 1, 16, 3),
                                                       Expect(15, 4, 1, 1, 8, 3)};
    // A severity the station does not know is still a condition: it arrives with level 0.
    QTest::newRow("severity outside 0 to 2")
        << 16 << QStringList{"freeze bnc:2 5", "lost bnc:3 -1", "silence aes:4 3"}
        << QStringList{Expect(16, 1, 2, -1, 2, 0), Expect(16, 1, 3, -1, 4, 0), Expect(16, 3, 1, 4, 8, 0)};
}

void TestDeviceQueries::activeConditionsBecomeRecordsInOrder()
{
    QFETCH(int, device);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, expected);

    for (const QString& command : qAsConst(commands))
        QVERIFY(m_rig.Prepare(Device(device) + QStringLiteral(" raise ") + command));

    SnmpConversations conversations(1);
    conversations.Add(StateRead(Device(device), &m_rig.handler));
    RunToEnd(&conversations);
    QVERIFY(m_rig.sim.Sync());

    QTRY_COMPARE(FieldsOf(m_rig.RecordsOf(Device(device))), expected);
    QCOMPARE(m_rig.GetCount(Device(device)), 16 + 128 + 12 + 32);
    QTest::qWait(50);
    QCOMPARE(FieldsOf(m_rig.RecordsOf(Device(device))), expected);
}

void TestDeviceQueries::stopIsCheckedBeforeEveryRequest()
{
    const QString ip = Device(17);
    QVERIFY(m_rig.Prepare());
    // Stopping monitoring becomes visible between two requests, whichever query is running.
    SnmpConversations conversations(1);
    for (int allowed : {0, 3, 20, 150}) {
        int asked = 0;
        conversations.Add(StateRead(ip, &m_rig.handler, [&asked, allowed] { return asked++ >= allowed; }));
        RunToEnd(&conversations);
    }
    QVERIFY(m_rig.sim.Sync());
    QCOMPARE(m_rig.GetCount(ip), 0 + 3 + 20 + 150);
}

void TestDeviceQueries::stoppingSilencesQueriesButNotTheProbe()
{
    const QString ip = Device(18);
    QVERIFY(m_rig.Prepare(ip + QStringLiteral(" raise lost bnc:1")));

    SnmpConversations conversations(2);
    bool answered = false;
    m_rig.server.MarkStopping();
    m_rig.server.QueryDeviceState(ip, &conversations);
    QVERIFY(m_rig.server.ProbeDevice(ip, &conversations, [&](bool ok) { answered = ok; }));
    RunToEnd(&conversations);
    QVERIFY(answered);
    QVERIFY(m_rig.sim.Sync());
    const QStringList requests = m_rig.sim.LinesWith({ip + QStringLiteral(" <- ")});
    QCOMPARE(requests, QStringList{ip + QStringLiteral(" <- get ") + DeviceObjects::Presence()});
    QVERIFY(m_rig.RecordsOf(ip).isEmpty());

    // A stopped server has nothing to ask with.
    m_rig.server.Stop();
    QVERIFY(!m_rig.server.ProbeDevice(ip, &conversations, [](bool) {}));
    QVERIFY(conversations.IsIdle());

    QVERIFY(m_rig.server.Start(QStringLiteral("127.0.0.1"), m_rig.trapPort));
}

void TestDeviceQueries::silentDeviceEndsItsReadAndDelaysNoOther()
{
    const QString silent = Device(19);
    const QString live = Device(10);
    QVERIFY(m_rig.Prepare(silent + QStringLiteral(" silent\n") + live + QStringLiteral(" raise black bnc:4")));

    SnmpConversations conversations(2);
    conversations.Add(StateRead(silent, &m_rig.handler));
    conversations.Add(StateRead(live, &m_rig.handler));
    RunToEnd(&conversations);
    QVERIFY(m_rig.sim.Sync());

    // The live device was read in full meanwhile; the silent one had its first request sent and retried three
    // times, and nothing after it.
    QCOMPARE(FieldsOf(m_rig.RecordsOf(live)), QStringList{Expect(10, 1, 4, -1, 1, 3)});
    QCOMPARE(m_rig.GetCount(live), 188);
    const QStringList unanswered = m_rig.sim.LinesWith({silent + QStringLiteral(" <- get ")});
    QCOMPARE(unanswered.size(), 4);
    QCOMPARE(unanswered.filter(DeviceObjects::VideoPort(DeviceObjects::VideoStandard, 1)).size(), 4);
    QVERIFY(m_rig.RecordsOf(silent).isEmpty());
    m_rig.sim.Send(silent + QStringLiteral(" back"));
}

QTEST_GUILESS_MAIN(TestDeviceQueries)
#include "TestDeviceQueries.moc"

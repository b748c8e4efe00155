#include "FreeUdpPort.h"
#include "ProbeSimProcess.h"
#include "snmp/AddressRanges.h"
#include "snmp/DeviceDiscoveryThread.h"

#include <QUdpSocket>
#include <QtTest>

// The search for probes over loopback ranges 127.0.2.x, against simulated probes, silent ones, and a port that
// answers something else; and the ranges it is given.
class TestDeviceDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void ranges_data();
    void ranges();
    void probesAreFoundWithTheirNamesAndNothingElse();
    void cancelEndsTheSearchAtOnce();

private:
    quint16 m_port = 0;
    ProbeSimProcess m_named;
    ProbeSimProcess m_unnamed;
    // An echo service where a probe would be: it answers, but not as a probe.
    QUdpSocket m_echo;
};

void TestDeviceDiscovery::initTestCase()
{
    m_port = FreeUdpPort("127.0.2.2");
    // The station reads the device port once per process.
    qputenv("VIZAVOVU_DEVICE_PORT", QByteArray::number(m_port));
    QVERIFY2(m_named.Start({"127.0.2.2-4"}, m_port, true, {"-n", "Studio %n"}), qPrintable(m_named.ErrorString()));
    QVERIFY2(m_unnamed.Start({"127.0.2.5"}, m_port), qPrintable(m_unnamed.ErrorString()));
    m_named.Send("127.0.2.4 silent");
    QVERIFY(m_named.Sync());
    QVERIFY(m_echo.bind(QHostAddress("127.0.2.6"), m_port));
    connect(&m_echo, &QUdpSocket::readyRead, this, [this] {
        while (m_echo.hasPendingDatagrams()) {
            QHostAddress sender;
            quint16 senderPort = 0;
            QByteArray datagram(int(m_echo.pendingDatagramSize()), Qt::Uninitialized);
            m_echo.readDatagram(datagram.data(), datagram.size(), &sender, &senderPort);
            m_echo.writeDatagram(datagram, sender, senderPort);
        }
    });
}

void TestDeviceDiscovery::ranges_data()
{
    QTest::addColumn<QString>("text");
    // Count, first and last address; or the count -1 for a refused text.
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    // The three .255 addresses inside a /22 cannot be devices.
    QTest::newRow("network") << "10.1.0.0/22" << 1019 << "10.1.0.1"
                             << "10.1.3.254";
    QTest::newRow("range, single, repeated") << "10.0.0.250 - 10.0.1.1, 10.0.0.251\n010.0.0.07" << 8 << "10.0.0.250"
                                             << "10.0.0.7";
    QTest::newRow("4,096 addresses") << "10.0.0.1-10.0.16.16" << 4096 << "10.0.0.1"
                                     << "10.0.16.16";
    QTest::newRow("too many") << "10.0.0.0/19" << -1 << ""
                              << "";
    QTest::newRow("whole internet") << "0.0.0.0/1" << -1 << ""
                                    << "";
    QTest::newRow("reversed") << "10.0.0.9-10.0.0.1" << -1 << ""
                              << "";
    QTest::newRow("not an address") << "10.0.0.300" << -1 << ""
                                    << "";
    QTest::newRow("empty") << " " << -1 << ""
                           << "";
}

void TestDeviceDiscovery::ranges()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QStringList addresses;
    QString error;
    QCOMPARE(AddressRanges::Parse(text, addresses, error), count >= 0);
    if (count < 0) {
        QVERIFY(!error.isEmpty());
        return;
    }
    QCOMPARE(addresses.size(), count);
    QCOMPARE(addresses.first(), first);
    QCOMPARE(addresses.last(), last);
}

void TestDeviceDiscovery::probesAreFoundWithTheirNamesAndNothingElse()
{
    QStringList addresses;
    QString error;
    QVERIFY(AddressRanges::Parse("127.0.2.2-127.0.2.7", addresses, error));
    DeviceDiscoveryThread search(addresses);
    QSignalSpy found(&search, &DeviceDiscoveryThread::Found);
    QSignalSpy progress(&search, &DeviceDiscoveryThread::Progress);
    search.start();
    // The silent addresses take their timeout and one resend.
    QTRY_VERIFY_WITH_TIMEOUT(search.isFinished(), 10000);
    QMap<QString, QString> names;
    for (const QList<QVariant>& probe : qAsConst(found))
        names.insert(probe[0].toString(), probe[1].toString());
    QCOMPARE(names, (QMap<QString, QString>{
                        {"127.0.2.2", "Studio 1"}, {"127.0.2.3", "Studio 2"}, {"127.0.2.5", "Probe 127.0.2.5"}}));
    QCOMPARE(progress.last(), (QList<QVariant>{6, 6}));
    // Only the addresses typed were asked.
    QCOMPARE(m_named.LinesWith({"<- get"}).filter("127.0.2.4 <- get 1.3.6.1.4.1.58206.1.2.3.1.6.1").size(), 2);
}

void TestDeviceDiscovery::cancelEndsTheSearchAtOnce()
{
    QStringList addresses;
    QString error;
    QVERIFY(AddressRanges::Parse("127.0.3.0/24", addresses, error));
    DeviceDiscoveryThread search(addresses);
    QSignalSpy progress(&search, &DeviceDiscoveryThread::Progress);
    search.start();
    QTRY_VERIFY(search.isRunning());
    search.Stop();
    QVERIFY(search.isFinished());
    QCoreApplication::processEvents();
    QVERIFY(progress.size() < addresses.size());
}

QTEST_GUILESS_MAIN(TestDeviceDiscovery)
#include "TestDeviceDiscovery.moc"

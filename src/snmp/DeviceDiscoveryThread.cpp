#include "snmp/DeviceDiscoveryThread.h"

#include "snmp/DeviceObjects.h"

#include <QElapsedTimer>

namespace {

const QString SysName = QStringLiteral("1.3.6.1.2.1.1.5.0");
constexpr int OctetString = 0x04;

// An answer with a value: a device that answers with an error, or with noSuchObject (0x80) and its kin, is not
// one of these probes, or has no name.
bool HasValue(const DeviceConversation::Answer& answer)
{
    return answer.status == 0 && answer.errorStatus == 0 && !answer.varbinds.isEmpty() &&
           answer.varbinds.first().type < 0x80;
}

} // namespace

DeviceDiscoveryThread::DeviceDiscoveryThread(const QStringList& addresses, QObject* parent)
    : QThread(parent), m_addresses(addresses)
{
}

DeviceDiscoveryThread::~DeviceDiscoveryThread()
{
    Stop();
}

void DeviceDiscoveryThread::Stop()
{
    m_stopRequested = true;
    m_conversations.Wake();
    wait();
}

QString DeviceDiscoveryThread::OfferedName(const QString& ip, const QString& sysName)
{
    QString name;
    for (const QChar c : sysName)
        name += c.category() == QChar::Other_Control ? QLatin1Char(' ') : c;
    name = name.simplified();
    return name.isEmpty() ? tr("Probe %1").arg(ip) : name;
}

void DeviceDiscoveryThread::run()
{
    QElapsedTimer clock;
    clock.start();
    int next = 0;
    const int total = m_addresses.size();
    while (!m_stopRequested && clock.elapsed() < MaxRunMs) {
        const qint64 allowed = qMin<qint64>(total, clock.elapsed() * MaxPerSecond / 1000 + 1);
        while (next < allowed && m_conversations.Running() < MaxInFlight)
            Ask(m_addresses[next++]);
        if (next == total && m_conversations.IsIdle())
            break;
        // The next few addresses are due in a few tens of milliseconds; answers end the wait earlier.
        m_conversations.Poll(next < total ? 40 : 200);
    }
    m_conversations.Clear();
}

void DeviceDiscoveryThread::Ask(const QString& ip)
{
    auto conversation = std::make_unique<DeviceConversation>(ip, Retries, [this] { return m_stopRequested.load(); });
    conversation->Get({DeviceObjects::Presence()}, [this](DeviceConversation& asked,
                                                          const DeviceConversation::Answer& answer) {
        if (!HasValue(answer)) {
            Done();
            return;
        }
        asked.Get({SysName}, [this](DeviceConversation& named, const DeviceConversation::Answer& answer) {
            const bool hasName = HasValue(answer) && answer.varbinds.first().type == OctetString;
            emit Found(named.Ip(), OfferedName(named.Ip(), hasName ? answer.varbinds.first().printable : QString()));
            Done();
        });
    });
    m_conversations.Add(std::move(conversation));
}

void DeviceDiscoveryThread::Done()
{
    emit Progress(++m_done, m_addresses.size());
}

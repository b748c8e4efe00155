#include "app/DesktopNotifier.h"

#include "alarm/AlarmRecord.h"

#include <QApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QVariantMap>
#include <QWidget>

namespace {
const char* const NotificationService = "org.freedesktop.Notifications";
constexpr int GatherMs = 1000;
// Devices named in the body of a summary; the rest are counted.
constexpr int NamedDevicesMax = 5;

QString DeviceLabel(const AlarmRecord& record)
{
    if (record.deviceName.isEmpty() || record.deviceName == record.ip)
        return record.ip;
    return QStringLiteral("%1 (%2)").arg(record.deviceName, record.ip);
}
} // namespace

DesktopNotifier::DesktopNotifier(QWidget* window, const QDBusConnection& bus, int intervalMs, QObject* parent)
    : QObject(parent), m_window(window), m_bus(bus), m_intervalMs(intervalMs)
{
    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, &DesktopNotifier::Flush);
}

void DesktopNotifier::OnAlarmApplied(const AlarmRecord& record)
{
    const QString key = AlarmIdentityKey(record);
    if (record.level != LevelError) {
        m_inError.remove(key);
        return;
    }
    if (m_inError.contains(key))
        return;
    m_inError.insert(key);
    // The operator is looking at the station: the window or one of its dialogs is in front.
    if (m_window && QApplication::activeWindow())
        return;
    if (m_window)
        QApplication::alert(m_window);

    const QString device = DeviceLabel(record);
    if (m_pendingCount++ == 0) {
        m_firstDevice = device;
        m_firstText = QStringLiteral("%1: %2").arg(record.signalName, AlarmTypeWord(record.alarmType));
    }
    if (!m_pendingDevices.contains(device)) {
        m_pendingDevices.insert(device);
        if (m_namedDevices.size() < NamedDevicesMax)
            m_namedDevices.append(device);
    }
    // A storm reaches the display over several rounds: the first notification waits a moment to take in what
    // comes with it, and every later one waits for the interval since the last.
    if (!m_flushTimer.isActive()) {
        const qint64 sinceSent = m_sinceSent.isValid() ? m_sinceSent.elapsed() : m_intervalMs;
        m_flushTimer.start(int(qMax<qint64>(qMin(GatherMs, m_intervalMs), m_intervalMs - sinceSent)));
    }
}

void DesktopNotifier::OnMonitoringStopped()
{
    m_inError.clear();
}

void DesktopNotifier::Flush()
{
    if (m_pendingCount == 0)
        return;
    if (m_pendingCount == 1) {
        Send(tr("Error alarm on %1").arg(m_firstDevice), m_firstText);
    } else if (m_pendingDevices.size() == 1) {
        Send(tr("%1 new error alarms on %2").arg(m_pendingCount).arg(m_firstDevice), QString());
    } else {
        QStringList named = m_namedDevices;
        if (m_pendingDevices.size() > named.size())
            named.append(tr("and %1 more").arg(m_pendingDevices.size() - named.size()));
        Send(tr("%1 new error alarms on %2 devices").arg(m_pendingCount).arg(m_pendingDevices.size()),
             named.join(QLatin1Char('\n')));
    }
    m_pendingCount = 0;
    m_pendingDevices.clear();
    m_namedDevices.clear();
    m_sinceSent.start();
}

void DesktopNotifier::Send(const QString& summary, const QString& body)
{
    if (!m_bus.isConnected()) {
        ReportUnavailable(QStringLiteral("no session bus"));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(NotificationService),
                                                       QStringLiteral("/org/freedesktop/Notifications"),
                                                       QLatin1String(NotificationService), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(2))},
                            {QStringLiteral("category"), QStringLiteral("device.error")},
                            {QStringLiteral("desktop-entry"), QStringLiteral("vizavovu")}};
    // The body may be read as markup: a device named "A&B" must not break it. A storm replaces one banner.
    call << QStringLiteral("vizavovu") << m_shownId << QStringLiteral("vizavovu") << summary << body.toHtmlEscaped()
         << QStringList() << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        const QDBusPendingReply<uint> reply = *finished;
        if (reply.isError())
            ReportUnavailable(reply.error().message());
        else
            m_shownId = reply.value();
        finished->deleteLater();
    });
}

// Desktops without a notification service are normal: one line, once.
void DesktopNotifier::ReportUnavailable(const QString& reason)
{
    if (m_unavailableReported)
        return;
    m_unavailableReported = true;
    qDebug().noquote() << "No desktop notifications:" << reason;
}

#include "northbound/AlertmanagerSender.h"

#include "northbound/ActiveAlarms.h"
#include "northbound/AlertmanagerAlert.h"
#include "northbound/SyslogMessage.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace {
// An Alertmanager that answers nothing for this long is taken for down.
constexpr int RequestTimeoutMs = 10000;
} // namespace

AlertmanagerSender::AlertmanagerSender(const AlertmanagerTarget& target, const ActiveAlarms& active)
    : NorthboundSender(QStringLiteral("alertmanager"), target.url.toDisplayString(), MaxQueued), m_target(target),
      m_alertsUrl(target.AlertsUrl()), m_active(active), m_station(SyslogMessage::LocalHostName()),
      m_nextResend(Clock::now())
{
    start();
}

AlertmanagerSender::~AlertmanagerSender()
{
    StopAndWait();
}

size_t AlertmanagerSender::Send(const std::vector<Message>& batch)
{
    // Acknowledgements stay with the station: only starts and ends become alerts.
    std::vector<AlarmRecord> alerts;
    alerts.reserve(batch.size());
    for (const Message& message : batch)
        if (!message.time.isValid())
            alerts.push_back(message.alarm);
    return alerts.empty() || Post(alerts) ? batch.size() : 0;
}

void AlertmanagerSender::Housekeeping()
{
    m_nextResend = Clock::now() + ResendInterval;
    const std::vector<AlarmRecord> active = m_active.Snapshot();
    // A failure is reported and tried again at the next re-send; the queue has its own retries.
    if (!active.empty())
        Post(active);
}

void AlertmanagerSender::Finish()
{
    m_network.reset();
}

bool AlertmanagerSender::Post(const std::vector<AlarmRecord>& alerts)
{
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(m_alertsUrl);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    if (!m_target.authorization.isEmpty())
        request.setRawHeader("Authorization", m_target.authorization);
    request.setTransferTimeout(RequestTimeoutMs);
    std::unique_ptr<QNetworkReply> reply(m_network->post(request, AlertmanagerAlert::Batch(alerts, m_station)));

    // The loop also looks out for a stop, which cuts a slow request short.
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer stopWatch;
    Clock::time_point abortAt = Clock::time_point::max();
    QObject::connect(&stopWatch, &QTimer::timeout, [this, &reply, &abortAt] {
        if (StopRequested() && abortAt == Clock::time_point::max())
            abortAt = Clock::now() + StopGrace;
        if (Clock::now() >= abortAt)
            reply->abort();
    });
    stopWatch.start(PollSliceMs);
    if (!reply->isFinished())
        loop.exec();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError) {
        ReportSuccess();
        return true;
    }
    // Alerts that Alertmanager refuses would block the queue for good.
    if (status == 400 || status == 422) {
        Report(QStringLiteral("%1 alerts refused: %2")
                   .arg(QString::number(alerts.size()), QString::fromUtf8(reply->readAll().left(200))));
        ReportSuccess();
        return true;
    }
    ReportFailure(QStringLiteral("cannot post the alerts: %1").arg(reply->errorString()));
    return false;
}

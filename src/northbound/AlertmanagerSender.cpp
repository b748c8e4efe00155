#include "northbound/AlertmanagerSender.h"

#include "northbound/ActiveAlarms.h"
#include "northbound/AlertmanagerAlert.h"
#include "northbound/SyslogMessage.h"

#include <QEventLoop>
#include <QJsonDocument>
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
      m_started(QDateTime::currentDateTime()), m_nextResend(Clock::now())
{
    start();
}

AlertmanagerSender::~AlertmanagerSender()
{
    StopAndWait();
}

size_t AlertmanagerSender::Send(const std::vector<Message>& batch)
{
    // Acknowledgements stay with the station: only starts and ends become alerts. Returns how many messages from
    // the front are done, each post taking a bounded part of the batch.
    const QDateTime firingUntil = FiringUntil();
    size_t done = 0;
    QJsonArray alerts;
    for (size_t i = 0; i < batch.size(); ++i) {
        if (!batch[i].time.isValid())
            alerts.append(AlertmanagerAlert::ToJson(batch[i].alarm, m_station, firingUntil));
        if (alerts.size() == MaxAlertsPerPost || i + 1 == batch.size()) {
            if (!alerts.isEmpty() && !Post(alerts))
                return done;
            alerts = QJsonArray();
            done = i + 1;
        }
    }
    return done;
}

void AlertmanagerSender::Housekeeping()
{
    m_nextResend = Clock::now() + ResendInterval;
    const std::vector<AlarmRecord> active = m_active.Snapshot();
    const QDateTime firingUntil = FiringUntil();
    QJsonArray alerts{AlertmanagerAlert::Watchdog(m_station, m_started, firingUntil)};
    // A failure is reported and tried again at the next re-send; the queue has its own retries.
    for (const AlarmRecord& alarm : active) {
        alerts.append(AlertmanagerAlert::ToJson(alarm, m_station, firingUntil));
        if (alerts.size() == MaxAlertsPerPost) {
            if (!Post(alerts))
                return;
            alerts = QJsonArray();
        }
    }
    if (!alerts.isEmpty())
        Post(alerts);
}

void AlertmanagerSender::Finish()
{
    m_network.reset();
}

QDateTime AlertmanagerSender::FiringUntil() const
{
    return QDateTime::currentDateTime().addSecs(FiringLifetime.count());
}

bool AlertmanagerSender::Post(const QJsonArray& alerts)
{
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(m_alertsUrl);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    if (!m_target.authorization.isEmpty())
        request.setRawHeader("Authorization", m_target.authorization);
    // A redirect is a fault of the URL given: followed, a POST would turn into a GET.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(RequestTimeoutMs);
    std::unique_ptr<QNetworkReply> reply(
        m_network->post(request, QJsonDocument(alerts).toJson(QJsonDocument::Compact)));

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
    if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
        ReportSuccess();
        return true;
    }
    // Alerts that Alertmanager refuses would block the queue for good.
    if (status == 400 || status == 422) {
        Report(QStringLiteral("%1 alerts refused: %2")
                   .arg(QString::number(alerts.size()), QString::fromUtf8(reply->readAll().left(200))));
        CountDropped(quint64(alerts.size()));
        ReportSuccess();
        return true;
    }
    if (status >= 300 && status < 400) {
        const QUrl location = m_alertsUrl.resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
        ReportFailure(QStringLiteral("cannot post the alerts: HTTP %1 redirects to %2; give --alertmanager the "
                                     "URL that takes them")
                          .arg(QString::number(status), location.toDisplayString()));
    } else {
        ReportFailure(QStringLiteral("cannot post the alerts: %1").arg(reply->errorString()));
    }
    return false;
}

#pragma once

#include "northbound/AlertmanagerTarget.h"
#include "northbound/NorthboundSender.h"

#include <QDateTime>
#include <QJsonArray>
#include <QString>

#include <memory>

class ActiveAlarms;
class QNetworkAccessManager;

// Posts the alarm starts and ends that the log has written to one Alertmanager, see NorthboundSender, and every
// active alarm again once a minute (and at once when it starts), so that a firing alert never lapses while the
// station runs and one that started late still learns of them. The re-send carries the watchdog alert too.
class AlertmanagerSender final : public NorthboundSender
{
public:
    static constexpr std::chrono::seconds ResendInterval{60};
    // How long a firing alert lasts unless posted again, as Prometheus has it: three re-sends may fail before an
    // alarm lapses, and a station that died leaves nothing firing for good.
    static constexpr std::chrono::seconds FiringLifetime = 4 * ResendInterval;
    // Alerts per request, so that a proxy's limit on request bodies (1 MB in nginx by default) fails no post.
    static constexpr int MaxAlertsPerPost = 500;

    // The active alarms must outlive the sender.
    AlertmanagerSender(const AlertmanagerTarget& target, const ActiveAlarms& active);
    ~AlertmanagerSender() override;
    AlertmanagerSender(const AlertmanagerSender&) = delete;
    AlertmanagerSender& operator=(const AlertmanagerSender&) = delete;

private:
    size_t Send(const std::vector<Message>& batch) override;
    void Housekeeping() override;
    Clock::time_point NextHousekeeping() const override { return m_nextResend; }
    void Finish() override;

    // False when Alertmanager cannot be reached, fails or answers with anything but a success; alerts it refuses
    // count as dropped, being never taken.
    bool Post(const QJsonArray& alerts);
    QDateTime FiringUntil() const;

    const AlertmanagerTarget m_target;
    const QUrl m_alertsUrl;
    const ActiveAlarms& m_active;
    const QString m_station;
    const QDateTime m_started;

    // Only the sender's thread touches these; the network access lives on that thread.
    std::unique_ptr<QNetworkAccessManager> m_network;
    Clock::time_point m_nextResend;
};

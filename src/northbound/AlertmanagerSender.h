#pragma once

#include "northbound/AlertmanagerTarget.h"
#include "northbound/NorthboundSender.h"

#include <QString>

#include <memory>

class ActiveAlarms;
class QNetworkAccessManager;

// Posts the alarm starts and ends that the log has written to one Alertmanager, see NorthboundSender, and every
// active alarm again once a minute (and at once when it starts), so that Alertmanager's time-out resolves none that
// is still active and one that started late still learns of them.
class AlertmanagerSender final : public NorthboundSender
{
public:
    static constexpr std::chrono::seconds ResendInterval{60};

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

    // False when Alertmanager cannot be reached or fails; a request it refuses counts as done, being never taken.
    bool Post(const std::vector<AlarmRecord>& alerts);

    const AlertmanagerTarget m_target;
    const QUrl m_alertsUrl;
    const ActiveAlarms& m_active;
    const QString m_station;

    // Only the sender's thread touches these; the network access lives on that thread.
    std::unique_ptr<QNetworkAccessManager> m_network;
    Clock::time_point m_nextResend;
};

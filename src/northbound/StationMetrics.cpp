#include "northbound/StationMetrics.h"

#include "alarm/AlarmHandler.h"
#include "alarm/SoundAlarmManager.h"
#include "log/LogManager.h"
#include "northbound/MetricsText.h"
#include "northbound/NorthboundSender.h"

QByteArray StationMetrics::Exposition() const
{
    MetricsText text;
    std::vector<MetricsText::Sample> queues;
    auto queue = [&queues](const char* name, double length) {
        queues.push_back({{{QStringLiteral("queue"), QLatin1String(name)}}, length});
    };

    if (const AlarmHandler* handler = m_sources.handler) {
        text.Counter(QStringLiteral("vizavovu_alarm_records_received_total"),
                     QStringLiteral("Alarm records handed to the alarm handler: decoded traps, state queries and "
                                    "presence changes."),
                     double(handler->ReceivedCount()));
        text.Counter(QStringLiteral("vizavovu_alarm_records_decoded_total"),
                     QStringLiteral("Alarm records of a known alarm type."), double(handler->DecodedCount()));
        text.Counter(QStringLiteral("vizavovu_alarm_records_filtered_total"),
                     QStringLiteral("Alarm records of a known type that the device configuration dropped."),
                     double(handler->FilteredCount()));
        text.Gauge(QStringLiteral("vizavovu_devices_configured"), QStringLiteral("Devices in the configuration."),
                   handler->DeviceCount());
        text.Family(
            QStringLiteral("vizavovu_devices"), "gauge",
            QStringLiteral("Configured devices heard from since monitoring started, by their last known "
                           "connection state."),
            {{{{QStringLiteral("state"), QStringLiteral("reachable")}}, double(handler->ReachableDeviceCount())},
             {{{QStringLiteral("state"), QStringLiteral("lost")}}, double(handler->LostDeviceCount())}});
        queue("handler", handler->QueueLength());
    }
    if (const LogManager* log = m_sources.log) {
        text.Counter(QStringLiteral("vizavovu_log_rows_written_total"),
                     QStringLiteral("Alarm log rows written for alarm starts."), double(log->RowsWrittenCount()));
        text.Counter(QStringLiteral("vizavovu_log_row_ends_written_total"),
                     QStringLiteral("End times written into alarm log rows."), double(log->RowEndsWrittenCount()));
        text.Counter(
            QStringLiteral("vizavovu_log_write_failures_total"),
            QStringLiteral("Attempts to write a batch of alarm log changes that failed; each batch is tried again."),
            double(log->WriteFailureCount()));
        text.Family(
            QStringLiteral("vizavovu_active_alarms"), "gauge",
            QStringLiteral("Alarms whose start is in the log and whose end is not, by severity."),
            {{{{QStringLiteral("severity"), QStringLiteral("critical")}}, double(log->Active().ErrorCount())},
             {{{QStringLiteral("severity"), QStringLiteral("warning")}}, double(log->Active().WarningCount())}});
        queue("log", double(log->QueueLength()));
    }
    if (m_sources.speech)
        queue("speech", m_sources.speech->QueueLength());
    if (m_sources.displayQueueLength)
        queue("display", m_sources.displayQueueLength());
    text.Family(QStringLiteral("vizavovu_queue_length"), "gauge",
                QStringLiteral("Items waiting in each internal queue of the alarm path."), queues);

    if (m_sources.log) {
        std::vector<MetricsText::Sample> lengths;
        std::vector<MetricsText::Sample> dropped;
        for (const NorthboundSender* receiver : m_sources.log->Receivers()) {
            const MetricsText::Labels labels{{QStringLiteral("receiver"), receiver->Kind()},
                                             {QStringLiteral("target"), receiver->Target()}};
            lengths.push_back({labels, double(receiver->QueueLength())});
            dropped.push_back({labels, double(receiver->DroppedCount())});
        }
        text.Family(QStringLiteral("vizavovu_northbound_queue_length"), "gauge",
                    QStringLiteral("Alarm messages waiting for each syslog collector and Alertmanager."), lengths);
        text.Family(QStringLiteral("vizavovu_northbound_dropped_total"), "counter",
                    QStringLiteral("Alarm messages dropped for each syslog collector and Alertmanager because it was "
                                   "down or too slow."),
                    dropped);
    }
    if (m_sources.monitoring)
        text.Gauge(QStringLiteral("vizavovu_monitoring"), QStringLiteral("1 while the station is monitoring."),
                   m_sources.monitoring() ? 1 : 0);
    text.Family(QStringLiteral("vizavovu_build_info"), "gauge", QStringLiteral("The station's version; always 1."),
                {{{{QStringLiteral("version"), m_sources.version}}, 1}});
    text.ProcessFamilies();
    return text.Text();
}

#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// Writes the Prometheus text exposition format (version 0.0.4): one family at a time, each with its HELP and TYPE
// lines and its samples.
class MetricsText
{
public:
    static const char* const ContentType;

    using Labels = std::vector<std::pair<QString, QString>>;
    struct Sample
    {
        Labels labels;
        double value = 0;
    };

    void Counter(const QString& name, const QString& help, double value);
    void Gauge(const QString& name, const QString& help, double value);
    void Family(const QString& name, const char* type, const QString& help, const std::vector<Sample>& samples);
    // The standard process_* families of this process, from /proc.
    void ProcessFamilies();

    const QByteArray& Text() const { return m_text; }

private:
    QByteArray m_text;
};

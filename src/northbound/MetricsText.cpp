#include "northbound/MetricsText.h"

#include <QDir>
#include <QFile>

#include <cmath>

#include <sys/resource.h>
#include <unistd.h>

const char* const MetricsText::ContentType = "text/plain; version=0.0.4; charset=utf-8";

namespace {
QString LabelValue(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('"'), QLatin1String("\\\""));
    value.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return value;
}

QString HelpText(QString help)
{
    help.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    help.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return help;
}

QString Number(double value)
{
    // Counts print as whole numbers, without an exponent.
    if (std::floor(value) == value && std::fabs(value) < 9007199254740992.0)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

QByteArray ReadProcFile(const char* path)
{
    // Files under /proc report a size of 0; read until the end.
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

void MetricsText::Counter(const QString& name, const QString& help, double value)
{
    Family(name, "counter", help, {Sample{{}, value}});
}

void MetricsText::Gauge(const QString& name, const QString& help, double value)
{
    Family(name, "gauge", help, {Sample{{}, value}});
}

void MetricsText::Family(const QString& name, const char* type, const QString& help, const std::vector<Sample>& samples)
{
    QString text = QStringLiteral("# HELP %1 %2\n# TYPE %1 %3\n").arg(name, HelpText(help), QLatin1String(type));
    for (const Sample& sample : samples) {
        text += name;
        if (!sample.labels.empty()) {
            QStringList labels;
            for (const auto& label : sample.labels)
                labels << QStringLiteral("%1=\"%2\"").arg(label.first, LabelValue(label.second));
            text += QLatin1Char('{') + labels.join(QLatin1Char(',')) + QLatin1Char('}');
        }
        text += QLatin1Char(' ') + Number(sample.value) + QLatin1Char('\n');
    }
    m_text += text.toUtf8();
}

void MetricsText::ProcessFamilies()
{
    // The fields after the command name, which may itself hold blanks and parentheses.
    const QByteArray stat = ReadProcFile("/proc/self/stat");
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    // Field numbers of proc(5) less three: utime 14, stime 15, starttime 22, vsize 23, rss 24.
    if (fields.size() > 21) {
        const double ticks = double(sysconf(_SC_CLK_TCK));
        Counter(QStringLiteral("process_cpu_seconds_total"),
                QStringLiteral("User and system CPU time spent in seconds."),
                (fields[11].toDouble() + fields[12].toDouble()) / ticks);
        Gauge(QStringLiteral("process_virtual_memory_bytes"), QStringLiteral("Virtual memory size in bytes."),
              fields[20].toDouble());
        Gauge(QStringLiteral("process_resident_memory_bytes"), QStringLiteral("Resident memory size in bytes."),
              fields[21].toDouble() * double(sysconf(_SC_PAGESIZE)));
        double bootTime = 0;
        for (const QByteArray& line : ReadProcFile("/proc/stat").split('\n')) {
            if (line.startsWith("btime "))
                bootTime = line.mid(6).trimmed().toDouble();
        }
        Gauge(QStringLiteral("process_start_time_seconds"),
              QStringLiteral("Start time of the process since unix epoch in seconds."),
              bootTime + fields[19].toDouble() / ticks);
    }
    Gauge(
        QStringLiteral("process_open_fds"), QStringLiteral("Number of open file descriptors."),
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0)
        Gauge(QStringLiteral("process_max_fds"), QStringLiteral("Maximum number of open file descriptors."),
              double(limit.rlim_cur));
}

#include "config/DeviceListCsv.h"

#include "alarm/AlarmRecord.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceConfigNode.h"
#include "config/DevicePorts.h"
#include "config/PortConfigNode.h"
#include "dialogs/DeviceAddress.h"
#include "log/LogText.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegExp>
#include <QSaveFile>
#include <QTextCodec>
#include <algorithm>

namespace {

enum Column
{
    AddressColumn,
    DeviceNameColumn,
    PortColumn,
    SignalNameColumn,
    MonitoredColumn,
    AlarmTypesColumn,
    TracksColumn,
    Window1Column,
    Window2Column,
    ColumnCount,
};

const QStringList ColumnNames = {"Address",     "Device Name", "Port",     "Signal Name", "Monitored",
                                 "Alarm Types", "Tracks",      "Window 1", "Window 2"};
const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
const QString TimeFormat = QStringLiteral("hh:mm:ss");
// Far beyond 1,000 devices; a bigger file is not a device list.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// The words written for the alarm types, as the dialog's columns name them; read without regard to case, along
// with the plain spellings.
const QList<QPair<quint32, QString>> AlarmTypeWords = {
    {AlarmTypeVideoLost, "Video Lost"},
    {AlarmTypeVideoBlack, "Video Black"},
    {AlarmTypeVideoFreeze, "Video Freeze"},
    {AlarmTypeSilence, "Slience"},
    {AlarmTypeAudioOverload, "Audio Overload"},
    {AlarmTypeVideoFreeze, "Freeze"},
    {AlarmTypeSilence, "Silence"},
};

struct Record
{
    int line;
    QStringList fields;
};

// A wrong field: its column (0 for the whole line) and why.
struct Problem
{
    int column;
    QString reason;
};

struct PortRow
{
    QString ip;
    QString name;
    int kind;
    int index;
    PortConfigNode port;
};

QString PortName(const PortKind& kind, int number)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(PortTypeText(kind.portType))).arg(number);
}

QString WindowText(const QTime& start, const QTime& end)
{
    if (start.isNull() && end.isNull())
        return QString();
    return QLocale::c().toString(start, TimeFormat) + QLatin1Char('-') + QLocale::c().toString(end, TimeFormat);
}

// RFC 4180 records with the line each starts on; a quoted field may hold separators and line breaks. False with
// the line of a quote that is never closed.
bool SplitRecords(const QString& text, QList<Record>& records, int& openQuoteLine)
{
    int line = 1;
    Record record{1, {}};
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            openQuoteLine = line;
        } else if (c == QLatin1Char(',')) {
            record.fields.append(field);
            field.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            record.fields.append(field);
            records.append(record);
            field.clear();
            wasQuoted = false;
            record = {++line, {}};
        } else {
            field += c;
        }
    }
    if (quoted)
        return false;
    if (!field.isEmpty() || !record.fields.isEmpty() || wasQuoted) {
        record.fields.append(field);
        records.append(record);
    }
    return true;
}

bool HasControlCharacters(const QString& text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

bool ParseTime(const QString& text, QTime& time)
{
    if (text.isEmpty()) {
        time = QTime();
        return true;
    }
    time = QTime::fromString(text, TimeFormat);
    if (!time.isValid())
        time = QTime::fromString(text, QStringLiteral("h:mm:ss"));
    return time.isValid();
}

int Milliseconds(const QTime& time)
{
    return time.isNull() ? -1 : time.msecsSinceStartOfDay();
}

} // namespace

const char* DeviceListCsv::Header()
{
    return "Address,Device Name,Port,Signal Name,Monitored,Alarm Types,Tracks,Window 1,Window 2";
}

QByteArray DeviceListCsv::Write(const DeviceConfigFile& config)
{
    QString text = QLatin1String(Header()) + QStringLiteral("\r\n");
    const QList<PortKind>& kinds = DevicePorts::Kinds();
    for (const DeviceConfigNode* device : config.Devices()) {
        for (const PortKind& kind : kinds) {
            for (int i = 0; i < kind.count; ++i) {
                PortConfigNode port = DevicePorts::NewPort(kind);
                (device->*kind.getPort)(i, port);
                QStringList types;
                for (quint32 type : kind.alarmTypes) {
                    if (port.alarm_type_mask() & type) {
                        const auto word = std::find_if(AlarmTypeWords.begin(), AlarmTypeWords.end(),
                                                       [type](const auto& entry) { return entry.first == type; });
                        types.append(word->second);
                    }
                }
                QStringList tracks;
                for (int track = 0; track < kind.tracks; ++track) {
                    if (port.track_mask() & (1u << track))
                        tracks.append(QString::number(track + 1));
                }
                // In the plain form, as the dialog's Add and the import keep it.
                text += LogText::CsvLine({DeviceAddress::Normalized(device->ip()), device->dev_name(),
                                          PortName(kind, i + 1), port.signal_name(),
                                          port.alarm() ? QStringLiteral("yes") : QStringLiteral("no"),
                                          types.join(QLatin1Char(';')), tracks.join(QLatin1Char(';')),
                                          WindowText(port.start_time1(), port.end_time1()),
                                          WindowText(port.start_time2(), port.end_time2())});
            }
        }
    }
    return ByteOrderMark + text.toUtf8();
}

bool DeviceListCsv::WriteFile(const QString& path, const DeviceConfigFile& config, QString& error)
{
    QSaveFile file(path);
    const QByteArray bytes = Write(config);
    // Binary: the lines end in CRLF as RFC 4180 has them, on every system.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

namespace {

// One row into row; false with the first wrong field.
bool ParseRow(const QStringList& fields, const QHash<QString, QPair<int, int>>& portNames, PortRow& row,
              Problem& problem)
{
    static const QRegExp address(DeviceAddress::Pattern());
    row.ip = DeviceAddress::Normalized(fields[AddressColumn].trimmed());
    if (!address.exactMatch(row.ip)) {
        problem = {AddressColumn + 1, DeviceListCsv::tr("'%1' is not a device address (four numbers from 0 to 255, "
                                                        "the last one at most 254)")
                                          .arg(fields[AddressColumn])};
        return false;
    }
    row.name = fields[DeviceNameColumn];
    for (int column : {DeviceNameColumn, SignalNameColumn}) {
        if (HasControlCharacters(fields[column])) {
            problem = {column + 1, DeviceListCsv::tr("a name cannot hold line breaks or other control characters")};
            return false;
        }
    }
    const auto port = portNames.constFind(fields[PortColumn].trimmed().toLower());
    if (port == portNames.constEnd()) {
        problem = {
            PortColumn + 1,
            DeviceListCsv::tr("'%1' is not a port: BNC 1 to BNC 16, Analog 1 or AES/EBU 1").arg(fields[PortColumn])};
        return false;
    }
    row.kind = port->first;
    row.index = port->second;
    const PortKind& kind = DevicePorts::Kinds()[row.kind];
    row.port = PortConfigNode();
    row.port.SetSignalName(fields[SignalNameColumn]);

    const QString monitored = fields[MonitoredColumn].trimmed().toLower();
    if (monitored != QLatin1String("yes") && monitored != QLatin1String("no")) {
        problem = {MonitoredColumn + 1, DeviceListCsv::tr("'%1' is neither yes nor no").arg(fields[MonitoredColumn])};
        return false;
    }
    row.port.SetAlarm(monitored == QLatin1String("yes"));

    quint32 offeredAndListed = 0;
    for (const QString& part : fields[AlarmTypesColumn].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString word = part.trimmed();
        const auto entry = std::find_if(AlarmTypeWords.begin(), AlarmTypeWords.end(), [&word](const auto& entry) {
            return entry.second.compare(word, Qt::CaseInsensitive) == 0;
        });
        if (entry == AlarmTypeWords.end() || !kind.alarmTypes.contains(entry->first)) {
            problem = {AlarmTypesColumn + 1, DeviceListCsv::tr("'%1' is not an alarm type of this port").arg(word)};
            return false;
        }
        offeredAndListed |= entry->first;
    }
    quint32 alarmTypeMask = 0xFFFFFFFF;
    for (quint32 type : kind.alarmTypes) {
        if (!(offeredAndListed & type))
            alarmTypeMask &= ~type;
    }
    row.port.SetAlarmTypeMask(alarmTypeMask);

    quint32 trackMask = 0;
    for (const QString& part : fields[TracksColumn].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int track = part.trimmed().toInt(&ok);
        if (!ok || track < 1 || track > kind.tracks) {
            problem = {TracksColumn + 1,
                       DeviceListCsv::tr("'%1' is not a track of this port (1 to %2)").arg(part).arg(kind.tracks)};
            return false;
        }
        trackMask |= 1u << (track - 1);
    }
    row.port.SetTrackMask(trackMask);

    for (int column : {Window1Column, Window2Column}) {
        const QString text = fields[column].trimmed();
        QTime start;
        QTime end;
        if (!text.isEmpty()) {
            const QStringList parts = text.split(QLatin1Char('-'));
            if (parts.size() != 2 || !ParseTime(parts[0].trimmed(), start) || !ParseTime(parts[1].trimmed(), end)) {
                problem = {column + 1, DeviceListCsv::tr("'%1' is not a window hh:mm:ss-hh:mm:ss").arg(text)};
                return false;
            }
            if (Milliseconds(start) > Milliseconds(end)) {
                problem = {column + 1, DeviceListCsv::tr("the window %1 ends before it starts").arg(text)};
                return false;
            }
        }
        if (column == Window1Column)
            row.port.SetTimeRange1(start, end);
        else
            row.port.SetTimeRange2(start, end);
    }
    return true;
}

} // namespace

bool DeviceListCsv::Read(const QByteArray& bytes, DeviceConfigFile& out)
{
    m_errors.clear();
    const QByteArray body = bytes.startsWith(ByteOrderMark) ? bytes.mid(ByteOrderMark.size()) : bytes;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(body.constData(), body.size(), &state);
    if (state.invalidChars > 0) {
        m_errors.append(tr("The file is not UTF-8 text; save it from the spreadsheet as CSV UTF-8."));
        return false;
    }
    QList<Record> records;
    int openQuoteLine = 0;
    if (!SplitRecords(text, records, openQuoteLine)) {
        m_errors.append(tr("Line %1: a quote is opened and never closed.").arg(openQuoteLine));
        return false;
    }
    QStringList header;
    if (!records.isEmpty())
        for (const QString& field : records.first().fields)
            header.append(field.trimmed());
    if (header != ColumnNames) {
        m_errors.append(tr("Line 1: the first line must be the header %1").arg(QLatin1String(Header())));
        return false;
    }

    QHash<QString, QPair<int, int>> portNames;
    const QList<PortKind>& kinds = DevicePorts::Kinds();
    for (int k = 0; k < kinds.size(); ++k) {
        for (int i = 0; i < kinds[k].count; ++i)
            portNames.insert(PortName(kinds[k], i + 1).toLower(), {k, i});
    }
    QList<DeviceConfigNode> devices;
    QHash<QString, int> deviceIndex;
    // The line that first named each device, and that listed each of its ports.
    QHash<QString, int> deviceLine;
    QHash<QString, int> portLine;
    auto complain = [this](int line, const Problem& problem) {
        if (problem.column == 0)
            m_errors.append(tr("Line %1: %2").arg(line).arg(problem.reason));
        else
            m_errors.append(tr("Line %1, column %2 (%3): %4")
                                .arg(line)
                                .arg(problem.column)
                                .arg(ColumnNames[problem.column - 1], problem.reason));
    };
    PortRow row;
    for (int r = 1; r < records.size(); ++r) {
        const Record& record = records[r];
        if (record.fields.size() == 1 && record.fields.first().trimmed().isEmpty())
            continue;
        if (record.fields.size() != ColumnCount) {
            complain(record.line, {0, tr("%1 fields instead of %2").arg(record.fields.size()).arg(ColumnCount)});
            continue;
        }
        Problem problem;
        if (!ParseRow(record.fields, portNames, row, problem)) {
            complain(record.line, problem);
            continue;
        }
        const auto known = deviceIndex.constFind(row.ip);
        if (known != deviceIndex.constEnd() && devices[*known].dev_name() != row.name) {
            complain(record.line, {DeviceNameColumn + 1, tr("%1 is named '%2' on line %3")
                                                             .arg(row.ip, devices[*known].dev_name())
                                                             .arg(deviceLine.value(row.ip))});
            continue;
        }
        const QString portKey =
            row.ip + QLatin1Char(' ') + QString::number(row.kind) + QLatin1Char(' ') + QString::number(row.index);
        if (portLine.contains(portKey)) {
            complain(record.line, {PortColumn + 1, tr("%1 of %2 is already on line %3")
                                                       .arg(PortName(kinds[row.kind], row.index + 1), row.ip)
                                                       .arg(portLine.value(portKey))});
            continue;
        }
        portLine.insert(portKey, record.line);
        if (known == deviceIndex.constEnd()) {
            deviceIndex.insert(row.ip, devices.size());
            deviceLine.insert(row.ip, record.line);
            devices.append(DevicePorts::NewDevice(row.ip, row.name));
        }
        if (m_errors.isEmpty())
            (devices[deviceIndex.value(row.ip)].*kinds[row.kind].setPort)(row.index, row.port);
    }
    if (!m_errors.isEmpty())
        return false;
    DeviceConfigFile read;
    for (const DeviceConfigNode& device : qAsConst(devices))
        read.AddDevice(device);
    out = read;
    return true;
}

bool DeviceListCsv::ReadFile(const QString& path, DeviceConfigFile& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errors = QStringList{tr("Cannot read %1: %2").arg(path, file.errorString())};
        return false;
    }
    if (file.size() > MaxFileSize) {
        m_errors =
            QStringList{tr("%1 is larger than %2 MB; it is not a device list.").arg(path).arg(MaxFileSize >> 20)};
        return false;
    }
    return Read(file.readAll(), out);
}

QString DeviceListCsv::ErrorReport() const
{
    QStringList lines = m_errors.mid(0, MaxReportedErrors);
    if (m_errors.size() > 1)
        lines.append(tr("%n wrong line(s) in all.", "", m_errors.size()));
    return lines.join(QLatin1Char('\n'));
}

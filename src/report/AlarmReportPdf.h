#pragma once

#include <QCoreApplication>
#include <QString>

#include <atomic>

class AlarmReport;

// The report on A4 landscape pages: the figures, then the timeline and the histogram, each page headed by the
// title, the period, the device and the station's host name.
class AlarmReportPdf
{
    Q_DECLARE_TR_FUNCTIONS(AlarmReportPdf)

public:
    // False, with the error text, when the file cannot be written or cancelled turned true; an existing file is
    // then left as it was. The timeline shows the first 200 signals. Runs on any thread.
    static bool Write(const AlarmReport& report, const QString& deviceText, const QString& hostName,
                      const QString& path, QString& errorText, const std::atomic<bool>* cancelled = nullptr);
};

#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

class DeviceConfigFile;

// The device list as a spreadsheet: one RFC 4180 row per port under a fixed header, UTF-8 with a byte-order mark
// so that spreadsheets show Chinese names. Reading checks every line before anything is built, and builds each
// device as the dialog's Add would, with the rows' ports laid over it.
class DeviceListCsv
{
    Q_DECLARE_TR_FUNCTIONS(DeviceListCsv)

public:
    static const char* Header();
    // Every device in file order with BNC 1 to 16, Analog 1 and AES/EBU 1; a port the device lacks is written with
    // the defaults it would be given.
    static QByteArray Write(const DeviceConfigFile& config);
    // False with the reason in error; an existing file is replaced only once the new one is complete.
    static bool WriteFile(const QString& path, const DeviceConfigFile& config, QString& error);
    // True when every line is right; out then holds the devices in the order of their first row. False with the
    // wrong lines in Errors(), out untouched.
    bool Read(const QByteArray& bytes, DeviceConfigFile& out);
    bool ReadFile(const QString& path, DeviceConfigFile& out);

    // One entry per wrong line, "Line 7, column 3 (Port): ..."; or the reason the file could not be read.
    const QStringList& Errors() const { return m_errors; }
    // The first 50 errors, one per line, then their count.
    QString ErrorReport() const;

    static constexpr int MaxReportedErrors = 50;

private:
    QStringList m_errors;
};

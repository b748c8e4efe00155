#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// Copies the station's data files (device configuration, system configuration, alarm log) into a dated backup
// folder and back. Each file is written beside its target and renamed into place, so that a copy that fails
// leaves the file it would have replaced exactly as it was.
class ConfigBackup
{
public:
    struct Result
    {
        int copied = 0;
        // One text for each file that was there but could not be copied.
        QStringList failures;
    };

    // The names of the files in a backup folder, in the order they are copied.
    static QStringList FileNames();
    // "<directory>/Quorvex-Zentiq-VIzavovu.ConfigBak_<yyyyMMdd>".
    static QString FolderFor(const QString& directory, const QDate& date);
    // The backup files already in the folder.
    static QStringList ExistingIn(const QString& folder);

    // closeLog runs before alarm.db is touched: the log must have released the file.
    static Result Export(const QString& folder, const std::function<void()>& closeLog);
    // Copies what the directory itself holds (not a dated folder below it) over the station's files.
    static Result Import(const QString& directory, const std::function<void()>& closeLog);

private:
    static Result Copy(const QString& fromDir, const QString& toDir, bool toStation,
                       const std::function<void()>& closeLog);
    static bool ReplaceFile(const QString& source, const QString& target, bool isDatabase, QString& error);
};

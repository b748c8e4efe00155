#include "app/ConfigBackup.h"

#include "app/AppPaths.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace {
const QString DatabaseName = QStringLiteral("alarm.db");

QString StationPath(const QString& name)
{
    if (name == DatabaseName)
        return GetLogDatabasePath();
    return name == QLatin1String("device_config.xml") ? GetDeviceConfigPath() : GetSystemConfigPath();
}
} // namespace

QStringList ConfigBackup::FileNames()
{
    return {QStringLiteral("device_config.xml"), QStringLiteral("system_config.xml"), DatabaseName};
}

QString ConfigBackup::FolderFor(const QString& directory, const QDate& date)
{
    return QStringLiteral("%1/Quorvex-Zentiq-VIzavovu.ConfigBak_%2")
        .arg(directory, QLocale::c().toString(date, QStringLiteral("yyyyMMdd")));
}

QStringList ConfigBackup::ExistingIn(const QString& folder)
{
    QStringList existing;
    for (const QString& name : FileNames()) {
        if (QFileInfo::exists(folder + "/" + name))
            existing.append(name);
    }
    return existing;
}

ConfigBackup::Result ConfigBackup::Export(const QString& folder, const std::function<void()>& closeLog)
{
    // A folder that cannot be created makes every copy fail, which the count shows.
    QDir().mkpath(folder);
    return Copy(QString(), folder, false, closeLog);
}

ConfigBackup::Result ConfigBackup::Import(const QString& directory, const std::function<void()>& closeLog)
{
    return Copy(directory, QString(), true, closeLog);
}

ConfigBackup::Result ConfigBackup::Copy(const QString& fromDir, const QString& toDir, bool toStation,
                                        const std::function<void()>& closeLog)
{
    Result result;
    for (const QString& name : FileNames()) {
        const bool isDatabase = name == DatabaseName;
        if (isDatabase && closeLog)
            closeLog();
        const QString source = toStation ? fromDir + "/" + name : StationPath(name);
        const QString target = toStation ? StationPath(name) : toDir + "/" + name;
        if (!QFileInfo::exists(source))
            continue;
        QString error;
        if (ReplaceFile(source, target, isDatabase, error)) {
            ++result.copied;
        } else {
            qDebug() << "Copying" << source << "to" << target << "failed:" << error;
            result.failures.append(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(source), error));
        }
    }
    return result;
}

bool ConfigBackup::ReplaceFile(const QString& source, const QString& target, bool isDatabase, QString& error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString();
        return false;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        error = out.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            error = in.errorString();
            out.cancelWriting();
            return false;
        }
        if (out.write(chunk) != chunk.size()) {
            error = out.errorString();
            out.cancelWriting();
            return false;
        }
    }
    // A journal left beside the target would be replayed onto the new database by the next reader, so none may
    // remain once it is in place. The log has been closed with its journal merged, so nothing of it is lost here.
    if (isDatabase) {
        for (const char* suffix : {"-wal", "-shm", "-journal"}) {
            const QString journal = target + QLatin1String(suffix);
            if (QFileInfo::exists(journal) && !QFile::remove(journal)) {
                error = QStringLiteral("%1 cannot be removed").arg(QDir::toNativeSeparators(journal));
                out.cancelWriting();
                return false;
            }
        }
    }
    // QSaveFile::commit() does not notice a failure of its final flush, so the flush is checked first.
    if (!out.flush() || !out.commit()) {
        error = out.errorString();
        return false;
    }
    return true;
}

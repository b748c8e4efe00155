#include "app/DeviceListImport.h"

#include "app/AppPaths.h"
#include "app/StationLock.h"
#include "config/DeviceConfigFile.h"
#include "config/DeviceListCsv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {
int Fail(int code, const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    return code;
}
} // namespace

int DeviceListImport::Run(const QString& csvPath)
{
    // The station rewrites the device file from its dialog; two writers would lose one's work.
    StationLock lock(GetLogDir());
    if (!lock.Acquire())
        return Fail(StationRunning,
                    QCoreApplication::translate("DeviceListImport", "The devices are not imported: %1")
                        .arg(StationLock::tr("Another station is already running on %1.")
                                 .arg(QDir::toNativeSeparators(GetAppDir()))));
    DeviceListCsv csv;
    DeviceConfigFile config;
    if (!csv.ReadFile(csvPath, config))
        return Fail(WrongFile, QCoreApplication::translate("DeviceListImport", "%1 is not imported:\n%2")
                                   .arg(QDir::toNativeSeparators(csvPath), csv.ErrorReport()));
    const QString path = GetDeviceConfigPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!config.Save(path))
        return Fail(NotWritten, QCoreApplication::translate("DeviceListImport", "Cannot write %1: %2")
                                    .arg(QDir::toNativeSeparators(path), config.GetErrorString()));
    std::printf("%s\n", qPrintable(QCoreApplication::translate("DeviceListImport", "%n device(s) written to %1", "",
                                                               config.Devices().size())
                                       .arg(QDir::toNativeSeparators(path))));
    return Imported;
}

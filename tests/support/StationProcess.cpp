#include "StationProcess.h"

#include "TempAppDir.h"

#include <QFile>
#include <QProcessEnvironment>

bool StartStationProcess(QProcess& process, const TempAppDir& appDir, quint16 devicePort,
                         const QStringList& moreArguments, const QStringList& moreEnvironment,
                         const QString& shellPrefix, bool unattended)
{
    const QString buildDir = QString::fromLocal8Bit(qgetenv("VZ_BUILD_DIR"));
    const QString station = appDir.filePath("bin/vizavovu");
    if (!QFile::exists(station) && !QFile::copy(buildDir + "/bin/vizavovu", station))
        return false;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VIZAVOVU_DEVICE_PORT", QString::number(devicePort));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (const QString& setting : moreEnvironment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process.setProcessEnvironment(env);
    const QStringList arguments = (unattended ? QStringList{"--start", "127.0.0.1"} : QStringList()) + moreArguments;
    if (shellPrefix.isEmpty())
        process.start(station, arguments);
    else
        process.start("/bin/sh", QStringList{"-c", shellPrefix + "; exec \"$0\" \"$@\"", station} + arguments);
    return process.waitForStarted(5000);
}

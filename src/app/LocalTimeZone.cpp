#include "app/LocalTimeZone.h"

#include <QFile>
#include <QtGlobal>

void PinLocalTimeZone()
{
    if (qEnvironmentVariableIsSet("TZ") || !QFile::exists(QStringLiteral("/etc/localtime")))
        return;
    qputenv("TZ", ":/etc/localtime");
}

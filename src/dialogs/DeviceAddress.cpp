#include "dialogs/DeviceAddress.h"

#include <QStringList>

QString DeviceAddress::Pattern()
{
    return QStringLiteral("((2[0-4]\\d|25[0-5]|[1]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-4]|[1]?\\d\\d?)");
}

QString DeviceAddress::Normalized(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return text;
    QStringList plain;
    for (const QString& part : parts) {
        bool ok = false;
        const uint number = part.toUInt(&ok);
        if (!ok || number > 255)
            return text;
        plain.append(QString::number(number));
    }
    return plain.join(QLatin1Char('.'));
}

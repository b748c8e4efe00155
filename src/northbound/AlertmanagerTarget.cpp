#include "northbound/AlertmanagerTarget.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>

std::optional<AlertmanagerTarget> AlertmanagerTarget::Parse(const QString& text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment())
        return std::nullopt;
    AlertmanagerTarget target;
    target.url = url;
    return target;
}

bool AlertmanagerTarget::ReadCredentials(const QString& path, QByteArray& authorization, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    // As ssh does with a private key: a secret that others may read is no secret.
    struct stat status = {};
    if (fstat(file.handle(), &status) != 0 || (status.st_mode & 077) != 0) {
        error = QCoreApplication::translate("CommandLine",
                                            "others may read it (mode %1); make it its owner's alone, for example "
                                            "with chmod 600")
                    .arg(QString::number(status.st_mode & 0777, 8).rightJustified(4, QLatin1Char('0')));
        return false;
    }
    QString line = QString::fromUtf8(file.read(64 * 1024));
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    // A Basic password is the rest of the line, blanks and all.
    static const QRegularExpression form(QStringLiteral("^\\s*(?:bearer[ \\t]+(\\S+)|basic[ \\t]+([^:\\n]*:[^\\n]*))$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(line);
    if (!match.hasMatch()) {
        error = QCoreApplication::translate("CommandLine",
                                            "the file must hold one line, \"Bearer TOKEN\" or \"Basic USER:PASSWORD\"");
        return false;
    }
    authorization = match.capturedLength(1) > 0 ? "Bearer " + match.captured(1).toUtf8()
                                                : "Basic " + match.captured(2).toUtf8().toBase64();
    return true;
}

QUrl AlertmanagerTarget::AlertsUrl() const
{
    QUrl alerts = url;
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    alerts.setPath(path + QStringLiteral("/api/v2/alerts"));
    return alerts;
}

bool AlertmanagerTarget::IsEncrypted() const
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

QString AlertmanagerTarget::Identity() const
{
    QUrl alerts = AlertsUrl();
    alerts.setPort(url.port(IsEncrypted() ? 443 : 80));
    return alerts.toString();
}

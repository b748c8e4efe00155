#include "northbound/AlertmanagerTarget.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

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
    static const QRegularExpression form(QStringLiteral("^(bearer|basic)\\s+(\\S+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(QString::fromUtf8(file.read(64 * 1024)).trimmed());
    const bool basic = match.hasMatch() && match.captured(1).toLower() == QLatin1String("basic");
    if (!match.hasMatch() || (basic && !match.captured(2).contains(QLatin1Char(':')))) {
        error = QCoreApplication::translate("CommandLine",
                                            "the file must hold one line, \"Bearer TOKEN\" or \"Basic USER:PASSWORD\"");
        return false;
    }
    authorization = basic ? "Basic " + match.captured(2).toUtf8().toBase64() : "Bearer " + match.captured(2).toUtf8();
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

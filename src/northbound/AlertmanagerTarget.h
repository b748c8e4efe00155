#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

// An Alertmanager that the alarms go to, as --alertmanager names it: http://HOST[:PORT][/PREFIX] or https://...,
// with the credentials that --alertmanager-credentials reads from a file.
struct AlertmanagerTarget
{
    QUrl url;
    // The value of the Authorization header; empty for none.
    QByteArray authorization;

    // Nothing for anything but an http or https URL with a host, and for one that carries a user or a password:
    // credentials never stand on the command line.
    static std::optional<AlertmanagerTarget> Parse(const QString& text);
    // Reads a file holding one line, "Bearer TOKEN" or "Basic USER:PASSWORD" (the password may hold blanks), into
    // an Authorization value. False, with the reason in error, when it cannot be read, when anyone but its owner
    // may read it, or when it says anything else.
    static bool ReadCredentials(const QString& path, QByteArray& authorization, QString& error);

    // Where the alerts are posted: the API v2 below the URL's path.
    QUrl AlertsUrl() const;
    bool IsEncrypted() const;
    // The same for two targets that name one Alertmanager.
    QString Identity() const;
};

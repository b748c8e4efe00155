#pragma once

#include <QJsonArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

// Debian's prometheus-alertmanager on a loopback address, with a configuration that notifies nobody, its storage in
// a temporary directory and no cluster.
class AlertmanagerProcess
{
public:
    static const char* const Binary;

    // A port on host that nothing listens on now.
    static quint16 FreeTcpPort(const QString& host);

    AlertmanagerProcess() = default;
    ~AlertmanagerProcess();
    AlertmanagerProcess(const AlertmanagerProcess&) = delete;
    AlertmanagerProcess& operator=(const AlertmanagerProcess&) = delete;

    // Returns once it answers as ready.
    bool Start(const QString& host, quint16 port);
    QString ErrorString() const { return m_errorString; }
    QUrl Url() const;
    // GET /api/v2/alerts: the alerts that are not resolved.
    QJsonArray Alerts() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_host;
    quint16 m_port = 0;
    QString m_errorString;
};

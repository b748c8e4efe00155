#include "AlertmanagerProcess.h"

#include "HttpGet.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpServer>
#include <QThread>

const char* const AlertmanagerProcess::Binary = "/usr/bin/prometheus-alertmanager";

quint16 AlertmanagerProcess::FreeTcpPort(const QString& host)
{
    QTcpServer server;
    server.listen(QHostAddress(host), 0);
    return server.serverPort();
}

AlertmanagerProcess::~AlertmanagerProcess()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

bool AlertmanagerProcess::Start(const QString& host, quint16 port)
{
    m_host = host;
    m_port = port;
    QFile config(m_dir.filePath("alertmanager.yml"));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write("route:\n  receiver: nobody\nreceivers:\n  - name: nobody\n") < 0) {
        m_errorString = config.errorString();
        return false;
    }
    config.close();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(Binary,
                    {"--config.file=" + config.fileName(), "--storage.path=" + m_dir.filePath("data"),
                     QStringLiteral("--web.listen-address=%1:%2").arg(host).arg(port), "--cluster.listen-address="});
    if (!m_process.waitForStarted(5000)) {
        m_errorString = m_process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        int status = 0;
        HttpGet(Url().resolved(QUrl("/-/ready")), &status, 1000);
        if (status == 200)
            return true;
        QThread::msleep(100);
    }
    m_errorString = "Alertmanager did not become ready: " + QString::fromLocal8Bit(m_process.readAll());
    return false;
}

QUrl AlertmanagerProcess::Url() const
{
    return QUrl(QStringLiteral("http://%1:%2").arg(m_host).arg(m_port));
}

QJsonArray AlertmanagerProcess::Alerts() const
{
    return QJsonDocument::fromJson(HttpGet(Url().resolved(QUrl("/api/v2/alerts")))).array();
}

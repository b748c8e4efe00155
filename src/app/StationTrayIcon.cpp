#include "app/StationTrayIcon.h"

#include <QDebug>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {
// The signal trace of the station's logo, on a unit square.
const QPointF TracePoints[] = {{0.16, 0.5},  {0.3, 0.5},   {0.37, 0.3}, {0.46, 0.72}, {0.54, 0.26},
                               {0.62, 0.64}, {0.68, 0.42}, {0.73, 0.5}, {0.84, 0.5}};

// A badge in the state's colour with the trace in white, drawn at the sizes trays ask for.
QIcon BadgeIcon(const QColor& color)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        const qreal radius = size * 0.22;
        painter.drawRoundedRect(QRectF(0, 0, size, size).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        QPainterPath trace;
        trace.moveTo(TracePoints[0] * size);
        for (const QPointF& point : TracePoints)
            trace.lineTo(point * size);
        painter.setPen(QPen(Qt::white, qMax(1.5, size / 11.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(trace);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace

StationTrayIcon::StationTrayIcon(QWidget* window, const QList<QAction*>& menuActions, QObject* parent)
    : QObject(parent), m_window(window), m_menu(std::make_unique<QMenu>()), m_trayIcon(new QSystemTrayIcon(this))
{
    for (QAction* action : menuActions) {
        if (action)
            m_menu->addAction(action);
        else
            m_menu->addSeparator();
    }
    m_trayIcon->setContextMenu(m_menu.get());
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            RaiseWindow();
    });
    ShowState(false, AlarmSummary());
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qDebug() << "No system tray on this desktop: the station shows no tray icon";
    m_trayIcon->show();
}

StationTrayIcon::~StationTrayIcon()
{
    m_trayIcon->setContextMenu(nullptr);
}

QColor StationTrayIcon::StateColor(bool monitoring, int worstLevel)
{
    // The darker shades of the port pictures, so that the white trace stays readable on each.
    if (!monitoring)
        return QColor(0x98, 0xA3, 0xAE);
    if (worstLevel == LevelError)
        return QColor(0xBF, 0x35, 0x30);
    if (worstLevel == LevelWarn)
        return QColor(0xDB, 0x8D, 0x0B);
    return QColor(0x27, 0x8F, 0x4E);
}

void StationTrayIcon::ShowState(bool monitoring, const AlarmSummary& summary)
{
    const QColor color = StateColor(monitoring, summary.worstLevel);
    if (color != m_shownColor) {
        m_trayIcon->setIcon(BadgeIcon(color));
        m_shownColor = color;
    }
    const QString toolTip = ToolTipText(monitoring, summary);
    if (toolTip != m_trayIcon->toolTip())
        m_trayIcon->setToolTip(toolTip);
}

QString StationTrayIcon::ToolTipText(bool monitoring, const AlarmSummary& summary) const
{
    const QString title = tr("Quorvex-Zentiq SNMP Monitor System");
    if (!monitoring)
        return title + QLatin1Char('\n') + tr("Not monitoring");
    QStringList counts{tr("Error alarms: %1").arg(summary.errors), tr("Warning alarms: %1").arg(summary.warnings)};
    if (summary.unacknowledged >= 0)
        counts.append(tr("Unacknowledged: %1").arg(summary.unacknowledged));
    return title + QLatin1Char('\n') + counts.join(QLatin1Char('\n'));
}

void StationTrayIcon::RaiseWindow()
{
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

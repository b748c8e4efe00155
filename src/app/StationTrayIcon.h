#pragma once

#include "views/AlarmSummary.h"

#include <QColor>
#include <QIcon>
#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;

// The station in the desktop's tray: an icon in the colour of the worst current alarm, the counts in its tooltip,
// the window's monitoring actions in its menu, and a click that brings the window to the front. Where the desktop
// has no tray, nothing shows.
class StationTrayIcon : public QObject
{
    Q_OBJECT

public:
    // The menu holds the actions in order; a null entry is a separator.
    StationTrayIcon(QWidget* window, const QList<QAction*>& menuActions, QObject* parent = nullptr);
    ~StationTrayIcon() override;

    // An idle station shows grey whatever the summary says.
    void ShowState(bool monitoring, const AlarmSummary& summary);
    static QColor StateColor(bool monitoring, int worstLevel);

    QSystemTrayIcon* TrayIcon() const { return m_trayIcon; }

private:
    void RaiseWindow();
    QString ToolTipText(bool monitoring, const AlarmSummary& summary) const;

    QWidget* m_window;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_trayIcon;
    QColor m_shownColor;
};

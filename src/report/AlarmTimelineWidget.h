#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>

#include <limits>
#include <memory>

class AlarmReport;
class QPainter;

// The report's timeline: one lane per signal, noisiest first, a bar per alarm coloured by its type, a legend above
// and the time axis below. The scroll bar moves a whole lane at a time; hovering a bar tells its alarm.
class AlarmTimelineWidget : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit AlarmTimelineWidget(QWidget* parent = nullptr);

    void SetReport(std::shared_ptr<const AlarmReport> report);

    // Paints the legend, the lanes from firstLane on (up to endLane) that fit into area, and the axis; returns the
    // lanes painted. Bars closer than a pixel are painted as one, so the cost follows the lanes and the width, not
    // the alarms.
    static int Paint(QPainter& painter, const AlarmReport& report, const QRect& area, int firstLane,
                     int endLane = std::numeric_limits<int>::max());
    // How many lanes Paint fits into a height with the painter's font.
    static int LanesThatFit(const QFontMetrics& metrics, int height);
    static QColor TypeColor(int alarmType);
    // The alarm under a point of the viewport as "type, start, end, duration" lines; empty over no bar.
    QString BarText(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBar();

    std::shared_ptr<const AlarmReport> m_report;
};

#pragma once

#include <QWidget>

#include <memory>

class AlarmReport;
class QPainter;

// The report's histogram: alarm starts per hour, or per day for periods over three days.
class AlarmHistogramWidget : public QWidget
{
    Q_OBJECT

public:
    explicit AlarmHistogramWidget(QWidget* parent = nullptr);

    void SetReport(std::shared_ptr<const AlarmReport> report);

    // Paints the title, the bars and both axes into area.
    static void Paint(QPainter& painter, const AlarmReport& report, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const AlarmReport> m_report;
};

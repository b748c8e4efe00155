#include "report/AlarmHistogramWidget.h"

#include "report/AlarmReport.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
const QColor BarColor(0x2f, 0x6f, 0xd8);

// 1, 2 or 5 times a power of ten, so that at most five grid lines are drawn.
int GridStep(int maximum)
{
    for (int power = 1;; power *= 10)
        for (int factor : {1, 2, 5})
            if (maximum <= factor * power * 5)
                return factor * power;
}
} // namespace

AlarmHistogramWidget::AlarmHistogramWidget(QWidget* parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumHeight(fontMetrics().height() * 8);
}

void AlarmHistogramWidget::SetReport(std::shared_ptr<const AlarmReport> report)
{
    m_report = std::move(report);
    update();
}

void AlarmHistogramWidget::paintEvent(QPaintEvent*)
{
    if (!m_report)
        return;
    QPainter painter(this);
    Paint(painter, *m_report, rect());
}

void AlarmHistogramWidget::Paint(QPainter& painter, const AlarmReport& report, const QRect& area)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const bool hourly = report.HistogramBinMs() == AlarmReport::HourMs;
    const QRect title(area.left() + 8, area.top() + 2, area.width() - 16, metrics.height() + 6);
    painter.setPen(Qt::black);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                     hourly ? tr("Alarm starts per hour") : tr("Alarm starts per day"));

    const QVector<int>& bins = report.Histogram();
    const int maximum = bins.isEmpty() ? 0 : *std::max_element(bins.begin(), bins.end());
    // Headroom above the highest bar for its count.
    const int step = GridStep(std::max(1, maximum + maximum / 8 + 1));
    const int top = (maximum + maximum / 8 + step) / step * step;
    const QRect plot(QPoint(area.left() + metrics.horizontalAdvance(QString::number(top)) + 14, title.bottom() + 8),
                     QPoint(area.right() - 12, area.bottom() - metrics.height() - 10));
    if (bins.isEmpty() || plot.width() < 10 || plot.height() < 10)
        return;

    const auto y = [&](int count) { return plot.bottom() - int(double(count) * plot.height() / top); };
    for (int value = 0; value <= top; value += step) {
        painter.setPen(QColor(0xdd, 0xdd, 0xdd));
        painter.drawLine(plot.left(), y(value), plot.right(), y(value));
        painter.setPen(Qt::black);
        const QString text = QString::number(value);
        painter.drawText(
            QRect(area.left(), y(value) - metrics.height() / 2, plot.left() - area.left() - 6, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, text);
    }

    const double binWidth = double(plot.width()) / bins.size();
    const bool withDate = hourly && report.To() - report.From() > AlarmReport::DayMs;
    const QString format = !hourly    ? QStringLiteral("MM-dd")
                           : withDate ? QStringLiteral("MM-dd hh:mm")
                                      : QStringLiteral("hh:mm");
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("00-00 00:00").right(format.size())) + 12;
    const int labelEvery = std::max(1, int(std::ceil(labelWidth / binWidth)));
    for (int i = 0; i < bins.size(); ++i) {
        const int left = plot.left() + int(i * binWidth);
        const int right = plot.left() + int((i + 1) * binWidth);
        const int gap = right - left > 4 ? 1 : 0;
        if (bins[i] > 0) {
            const QRect bar(QPoint(left + gap, y(bins[i])), QPoint(right - 1 - gap, plot.bottom()));
            painter.fillRect(bar, BarColor);
            const QString count = QString::number(bins[i]);
            if (metrics.horizontalAdvance(count) + 2 <= right - left && bar.top() - metrics.height() >= plot.top()) {
                painter.setPen(Qt::black);
                painter.drawText(QRect(left, bar.top() - metrics.height(), right - left, metrics.height()),
                                 Qt::AlignCenter, count);
            }
        }
        if (i % labelEvery == 0) {
            const qint64 start = report.HistogramOrigin() + i * report.HistogramBinMs();
            painter.setPen(Qt::black);
            painter.drawLine(left, plot.bottom(), left, plot.bottom() + 4);
            painter.drawText(QRect(left - labelWidth / 2, plot.bottom() + 6, labelWidth, metrics.height()),
                             Qt::AlignCenter, AlarmReport::WallTime(start).toString(format));
        }
    }
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
}

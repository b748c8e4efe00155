#include "report/AlarmTimelineWidget.h"

#include "alarm/AlarmRecord.h"
#include "log/LogText.h"
#include "report/AlarmReport.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {
// The legend's order; 0 stands for every other type (fan, power).
const int LegendTypes[] = {AlarmTypeVideoLost,
                           AlarmTypeVideoFreeze,
                           AlarmTypeVideoBlack,
                           AlarmTypeSilence,
                           AlarmTypeAudioOverload,
                           AlarmTypeConnection,
                           0};
// Within this many pixels of a bar the pointer counts as on it.
constexpr int HoverSlack = 2;
// Hatching over the time while the station was not monitoring.
const QBrush NotMonitoredBrush(QColor(0x50, 0x50, 0x50), Qt::BDiagPattern);

struct Layout
{
    int laneHeight = 0;
    QRect legend;
    QRect lanes;
    QRect axis;
    int plotLeft = 0;
    int plotRight = 0;
};

int LegendHeight(const QFontMetrics& metrics)
{
    return metrics.height() + 10;
}

int AxisHeight(const QFontMetrics& metrics)
{
    return metrics.height() + 12;
}

int LaneHeight(const QFontMetrics& metrics)
{
    return metrics.height() + 6;
}

Layout MakeLayout(const QFontMetrics& metrics, const QRect& area)
{
    Layout layout;
    layout.laneHeight = LaneHeight(metrics);
    layout.legend = QRect(area.left(), area.top(), area.width(), LegendHeight(metrics));
    layout.axis = QRect(area.left(), area.bottom() - AxisHeight(metrics) + 1, area.width(), AxisHeight(metrics));
    layout.lanes =
        QRect(area.left(), layout.legend.bottom() + 1, area.width(), layout.axis.top() - layout.legend.bottom() - 1);
    const int labelWidth = std::min(area.width() / 4, metrics.horizontalAdvance(QLatin1Char('M')) * 22);
    layout.plotLeft = area.left() + labelWidth + 8;
    // Room for half of the last axis label.
    layout.plotRight =
        std::max(layout.plotLeft + 1, area.right() - metrics.horizontalAdvance(QStringLiteral("00-00 00:00")) / 2);
    return layout;
}

double X(const Layout& layout, const AlarmReport& report, qint64 time)
{
    return layout.plotLeft +
           double(time - report.From()) * (layout.plotRight - layout.plotLeft) / double(report.To() - report.From());
}

QString LaneLabel(const AlarmReport::Signal& signal)
{
    const QString device = signal.deviceName.isEmpty() ? signal.ip : signal.deviceName;
    QString label = device + QStringLiteral("  ") + AlarmReport::PortText(signal);
    if (signal.portType != 0 && !signal.signalName.isEmpty())
        label += QStringLiteral("  ") + signal.signalName;
    return label;
}

// Tick spacing for the axis: the finest of these whose labels do not collide.
qint64 TickStep(qint64 span, int plotWidth, int labelWidth)
{
    const qint64 minute = 60000;
    const qint64 steps[] = {minute,
                            5 * minute,
                            10 * minute,
                            15 * minute,
                            30 * minute,
                            AlarmReport::HourMs,
                            2 * AlarmReport::HourMs,
                            3 * AlarmReport::HourMs,
                            6 * AlarmReport::HourMs,
                            12 * AlarmReport::HourMs,
                            AlarmReport::DayMs,
                            2 * AlarmReport::DayMs,
                            7 * AlarmReport::DayMs,
                            14 * AlarmReport::DayMs,
                            30 * AlarmReport::DayMs};
    for (qint64 step : steps)
        if (double(span) / double(step) * labelWidth <= plotWidth)
            return step;
    return 365 * AlarmReport::DayMs;
}

void PaintAxis(QPainter& painter, const AlarmReport& report, const Layout& layout)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const qint64 span = report.To() - report.From();
    const bool withDate = span > AlarmReport::DayMs;
    const QString sample = withDate ? QStringLiteral("00-00 00:00") : QStringLiteral("00:00");
    const qint64 step = TickStep(span, layout.plotRight - layout.plotLeft, metrics.horizontalAdvance(sample) + 16);
    const QString format = step >= AlarmReport::DayMs ? QStringLiteral("MM-dd")
                           : withDate                 ? QStringLiteral("MM-dd hh:mm")
                                                      : QStringLiteral("hh:mm");
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawLine(layout.plotLeft, layout.axis.top(), layout.plotRight, layout.axis.top());
    for (qint64 tick = (report.From() + step - 1) / step * step; tick <= report.To(); tick += step) {
        const int x = int(X(layout, report, tick));
        painter.setPen(QColor(0xdd, 0xdd, 0xdd));
        painter.drawLine(x, layout.lanes.top(), x, layout.axis.top());
        painter.setPen(QColor(0x30, 0x30, 0x30));
        painter.drawLine(x, layout.axis.top(), x, layout.axis.top() + 4);
        const QString text = AlarmReport::WallTime(tick).toString(format);
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(QRect(x - width / 2, layout.axis.top() + 6, width, metrics.height()), Qt::AlignCenter, text);
    }
}

void PaintLegend(QPainter& painter, const AlarmReport& report, const Layout& layout)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int box = metrics.ascent();
    int x = layout.plotLeft;
    const int y = layout.legend.top() + (layout.legend.height() - box) / 2;
    const auto entry = [&](const QBrush& brush, const QString& text) {
        painter.fillRect(QRect(x, y, box, box), brush);
        painter.setPen(Qt::black);
        painter.drawText(
            QRect(x + box + 4, layout.legend.top(), metrics.horizontalAdvance(text) + 2, layout.legend.height()),
            Qt::AlignVCenter | Qt::AlignLeft, text);
        x += box + 4 + metrics.horizontalAdvance(text) + 16;
    };
    for (int type : LegendTypes)
        entry(AlarmTimelineWidget::TypeColor(type), type == 0 ? AlarmTimelineWidget::tr("Other") : AlarmTypeWord(type));
    if (report.MeasuredEnd() < report.To())
        entry(QColor(0xe4, 0xe4, 0xe4), AlarmTimelineWidget::tr("Not yet"));
    if (!report.NotMonitored().isEmpty())
        entry(NotMonitoredBrush, AlarmTimelineWidget::tr("Not monitored"));
}

void PaintLane(QPainter& painter, const AlarmReport& report, const Layout& layout, const AlarmReport::Signal& signal,
               const QRect& lane)
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.setPen(Qt::black);
    const QRect label(lane.left() + 4, lane.top(), layout.plotLeft - lane.left() - 12, lane.height());
    painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft,
                     metrics.elidedText(LaneLabel(signal), Qt::ElideRight, label.width()));
    const int top = lane.top() + 2;
    const int height = lane.height() - 4;
    // Neighbouring bars of one type that meet within a pixel become one rectangle.
    int runType = -1;
    int runLeft = 0;
    int runRight = 0;
    const auto flush = [&] {
        if (runType >= 0)
            painter.fillRect(QRect(runLeft, top, runRight - runLeft, height), AlarmTimelineWidget::TypeColor(runType));
    };
    for (const AlarmReport::Bar& bar : signal.bars) {
        const int left = int(X(layout, report, report.ClippedStart(bar)));
        const int right = std::max(left + 1, int(std::ceil(X(layout, report, report.ClippedEnd(bar)))));
        if (bar.alarmType == runType && left <= runRight) {
            runRight = std::max(runRight, right);
            continue;
        }
        flush();
        runType = bar.alarmType;
        runLeft = left;
        runRight = right;
    }
    flush();
}
} // namespace

AlarmTimelineWidget::AlarmTimelineWidget(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setMinimumHeight(LegendHeight(fontMetrics()) + AxisHeight(fontMetrics()) + 4 * LaneHeight(fontMetrics()));
}

void AlarmTimelineWidget::SetReport(std::shared_ptr<const AlarmReport> report)
{
    m_report = std::move(report);
    verticalScrollBar()->setValue(0);
    UpdateScrollBar();
    viewport()->update();
}

QColor AlarmTimelineWidget::TypeColor(int alarmType)
{
    switch (alarmType) {
    case AlarmTypeVideoLost:
        return QColor(0xd6, 0x2d, 0x2d);
    case AlarmTypeVideoFreeze:
        return QColor(0x2f, 0x6f, 0xd8);
    case AlarmTypeVideoBlack:
        return QColor(0x44, 0x44, 0x44);
    case AlarmTypeSilence:
        return QColor(0xe8, 0x9b, 0x10);
    case AlarmTypeAudioOverload:
        return QColor(0x9b, 0x4d, 0xd6);
    case AlarmTypeConnection:
        return QColor(0x16, 0x96, 0x8a);
    default:
        return QColor(0x8b, 0x5a, 0x2b);
    }
}

int AlarmTimelineWidget::LanesThatFit(const QFontMetrics& metrics, int height)
{
    return std::max(0, (height - LegendHeight(metrics) - AxisHeight(metrics)) / LaneHeight(metrics));
}

int AlarmTimelineWidget::Paint(QPainter& painter, const AlarmReport& report, const QRect& area, int firstLane)
{
    const Layout layout = MakeLayout(painter.fontMetrics(), area);
    PaintLegend(painter, report, layout);
    if (report.MeasuredEnd() < report.To()) {
        const int now = int(X(layout, report, report.MeasuredEnd()));
        painter.fillRect(QRect(now, layout.lanes.top(), layout.plotRight - now, layout.lanes.height()),
                         QColor(0xe4, 0xe4, 0xe4));
    }
    PaintAxis(painter, report, layout);
    const QVector<AlarmReport::Signal>& signalList = report.Signals();
    const int count = std::min<int>(signalList.size() - firstLane, layout.lanes.height() / layout.laneHeight);
    for (int i = 0; i < count; ++i) {
        const QRect lane(layout.lanes.left(), layout.lanes.top() + i * layout.laneHeight, layout.lanes.width(),
                         layout.laneHeight);
        if ((firstLane + i) % 2 == 1)
            painter.fillRect(QRect(lane.left(), lane.top(), layout.plotLeft - lane.left() - 4, lane.height()),
                             QColor(0xf2, 0xf4, 0xf7));
        PaintLane(painter, report, layout, signalList[firstLane + i], lane);
    }
    // Over the lanes: an alarm drawn across it was only known to have begun before and ended after.
    for (const auto& gap : report.NotMonitored()) {
        const int left = int(X(layout, report, gap.first));
        const int right = int(std::ceil(X(layout, report, gap.second)));
        painter.fillRect(QRect(left, layout.lanes.top(), std::max(1, right - left), layout.lanes.height()),
                         NotMonitoredBrush);
    }
    if (signalList.isEmpty()) {
        painter.setPen(Qt::black);
        painter.drawText(layout.lanes, Qt::AlignCenter, tr("No alarm in this period"));
    }
    return std::max(0, count);
}

void AlarmTimelineWidget::paintEvent(QPaintEvent*)
{
    if (!m_report)
        return;
    QPainter painter(viewport());
    Paint(painter, *m_report, viewport()->rect(), verticalScrollBar()->value());
}

void AlarmTimelineWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
}

void AlarmTimelineWidget::scrollContentsBy(int, int)
{
    viewport()->update();
}

void AlarmTimelineWidget::UpdateScrollBar()
{
    const int lanes = m_report ? m_report->Signals().size() : 0;
    const int visible = std::max(1, LanesThatFit(fontMetrics(), viewport()->height()));
    verticalScrollBar()->setRange(0, std::max(0, lanes - visible));
    verticalScrollBar()->setPageStep(visible);
}

bool AlarmTimelineWidget::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = BarText(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport());
    return true;
}

QString AlarmTimelineWidget::BarText(const QPoint& point) const
{
    if (!m_report)
        return QString();
    const AlarmReport& report = *m_report;
    const Layout layout = MakeLayout(fontMetrics(), viewport()->rect());
    if (!layout.lanes.contains(point) || point.x() < layout.plotLeft - HoverSlack ||
        point.x() > layout.plotRight + HoverSlack)
        return QString();
    const int lane = verticalScrollBar()->value() + (point.y() - layout.lanes.top()) / layout.laneHeight;
    if (lane >= report.Signals().size())
        return QString();
    const double msPerPixel = double(report.To() - report.From()) / (layout.plotRight - layout.plotLeft);
    const qint64 time = report.From() + qint64((point.x() - layout.plotLeft) * msPerPixel);
    const qint64 slack = qint64(HoverSlack * msPerPixel);
    const QVector<AlarmReport::Bar>& bars = report.Signals()[lane].bars;
    // Bars are in start order: look back from the last one that starts by then, a bounded way.
    auto it = std::upper_bound(bars.begin(), bars.end(), time + slack,
                               [](qint64 t, const AlarmReport::Bar& bar) { return t < bar.start; });
    for (int looked = 0; it != bars.begin() && looked < 256; ++looked) {
        const AlarmReport::Bar& bar = *--it;
        if (report.ClippedStart(bar) - slack > time || report.ClippedEnd(bar) + slack < time)
            continue;
        const bool open = bar.end == AlarmReport::OpenEnd;
        const qint64 end = open ? report.MeasuredEnd() : bar.end;
        return QStringList{
            AlarmTypeWord(bar.alarmType), tr("Start: %1").arg(LogText::TimeText(AlarmReport::WallTime(bar.start))),
            tr("End: %1").arg(open ? tr("still open") : LogText::TimeText(AlarmReport::WallTime(bar.end))),
            tr("Duration: %1").arg(LogText::DurationText(std::max<qint64>(0, end - bar.start)))}
            .join(QLatin1Char('\n'));
    }
    return QString();
}

#include "report/AlarmReportPdf.h"

#include "report/AlarmHistogramWidget.h"
#include "report/AlarmReport.h"
#include "report/AlarmTimelineWidget.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {
// Beyond this many signals the timeline would run to hundreds of pages; the CSV has them all.
constexpr int MaxLanes = 200;

// Shares of the page width per figure column.
const double ColumnShares[] = {0.17, 0.11, 0.17, 0.12, 0.07, 0.13, 0.13, 0.10};

class Pages
{
public:
    Pages(QPdfWriter& writer, QPainter& painter, const QString& heading)
        : m_writer(writer), m_painter(painter), m_heading(heading)
    {
    }

    // Starts a page (the first one is there already) and returns the area below its heading.
    QRect Next()
    {
        if (m_page++ > 0)
            m_writer.newPage();
        const QRect page(0, 0, m_writer.width(), m_writer.height());
        QFont title = m_painter.font();
        title.setPointSizeF(title.pointSizeF() * 1.6);
        title.setBold(true);
        const QFont body = m_painter.font();
        m_painter.setFont(title);
        const int titleHeight = m_painter.fontMetrics().height();
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRect(page.left(), page.top(), page.width(), titleHeight), Qt::AlignLeft | Qt::AlignTop,
                           AlarmReportPdf::tr("Alarm Report"));
        m_painter.setFont(body);
        const int line = m_painter.fontMetrics().height();
        m_painter.drawText(QRect(page.left(), page.top(), page.width(), titleHeight), Qt::AlignRight | Qt::AlignTop,
                           AlarmReportPdf::tr("Page %1").arg(m_page));
        const QRect info(page.left(), page.top() + titleHeight + line / 3, page.width(), line);
        m_painter.drawText(info, Qt::AlignLeft | Qt::AlignVCenter, m_heading);
        m_painter.setPen(QColor(0x90, 0x90, 0x90));
        m_painter.drawLine(page.left(), info.bottom() + line / 2, page.right(), info.bottom() + line / 2);
        return QRect(QPoint(page.left(), info.bottom() + line), page.bottomRight());
    }

private:
    QPdfWriter& m_writer;
    QPainter& m_painter;
    QString m_heading;
    int m_page = 0;
};

void PaintFigures(QPainter& painter, Pages& pages, const AlarmReport& report)
{
    const QFont body = painter.font();
    const int rowHeight = painter.fontMetrics().height() * 3 / 2;
    const auto row = [&](const QRect& area, int y, const QStringList& texts, const QColor& background) {
        if (background.isValid())
            painter.fillRect(QRect(area.left(), y, area.width(), rowHeight), background);
        painter.setPen(Qt::black);
        double x = area.left();
        for (int column = 0; column < texts.size(); ++column) {
            const int width = int(ColumnShares[column] * area.width());
            const QRect cell(int(x) + 6, y, width - 12, rowHeight);
            painter.drawText(cell, Qt::AlignVCenter | (column >= 4 ? Qt::AlignRight : Qt::AlignLeft),
                             painter.fontMetrics().elidedText(texts[column], Qt::ElideRight, cell.width()));
            x += width;
        }
    };
    const QVector<AlarmReport::Signal>& signalList = report.Signals();
    int next = 0;
    do {
        const QRect area = pages.Next();
        QFont bold = body;
        bold.setBold(true);
        painter.setFont(bold);
        row(area, area.top(), AlarmReport::FigureHeaders(), QColor(0xdd, 0xe3, 0xea));
        painter.setFont(body);
        int y = area.top() + rowHeight;
        if (signalList.isEmpty())
            painter.drawText(QRect(area.left(), y, area.width(), rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             AlarmTimelineWidget::tr("No alarm in this period"));
        for (; next < signalList.size() && y + rowHeight <= area.bottom(); ++next, y += rowHeight)
            row(area, y, report.FigureTexts(signalList[next]), next % 2 ? QColor(0xf2, 0xf4, 0xf7) : QColor());
    } while (next < signalList.size());
}
} // namespace

bool AlarmReportPdf::Write(const AlarmReport& report, const QString& deviceText, const QString& hostName,
                           const QString& path, QString& errorText, const std::atomic<bool>* cancelled)
{
    // Painted into memory and saved in one go, so that a failed or cancelled write leaves an older file as it was.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(12, 10, 12, 10), QPageLayout::Millimeter);
        writer.setResolution(150);
        writer.setTitle(tr("Alarm Report"));
        writer.setCreator(QStringLiteral("vizavovu"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            errorText = tr("Cannot write %1").arg(path);
            return false;
        }
        QFont font = painter.font();
        font.setPointSizeF(9);
        painter.setFont(font);
        const QString heading = tr("Period: %1 to %2    Device: %3    Station: %4")
                                    .arg(AlarmReport::PeriodTimeText(report.From()),
                                         AlarmReport::PeriodTimeText(report.To()), deviceText, hostName);
        Pages pages(writer, painter, heading);
        const auto stopped = [cancelled] { return cancelled && *cancelled; };
        PaintFigures(painter, pages, report);
        const int lanes = std::min<int>(report.Signals().size(), MaxLanes);
        for (int lane = 0; !stopped();) {
            const int painted = AlarmTimelineWidget::Paint(painter, report, pages.Next(), lane, lanes);
            lane += painted;
            if (painted == 0 || lane >= lanes)
                break;
        }
        const QRect area = pages.Next();
        const int histogramHeight = area.height() * 2 / 3;
        AlarmHistogramWidget::Paint(painter, report, QRect(area.topLeft(), QSize(area.width(), histogramHeight)));
        if (report.Signals().size() > lanes) {
            painter.setPen(Qt::black);
            painter.drawText(QRect(area.left(), area.top() + histogramHeight, area.width(), area.height() / 6),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             tr("%1 more signals in the CSV").arg(report.Signals().size() - lanes));
        }
        if (!painter.end()) {
            errorText = tr("Cannot write %1").arg(path);
            return false;
        }
        if (stopped()) {
            errorText = tr("Cancelled");
            return false;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf.data()) != pdf.data().size() || !file.commit()) {
        errorText = file.errorString();
        return false;
    }
    return true;
}

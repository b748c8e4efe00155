#include "dialogs/TimeRangeWidget.h"

#include "dialogs/TimeRangeText.h"
#include "ui_TimeRangeWidget.h"

TimeRangeWidget::TimeRangeWidget(QWidget* parent) : QWidget(parent), m_ui(std::make_unique<Ui::TimeRangeWidget>())
{
    m_ui->setupUi(this);
}

TimeRangeWidget::~TimeRangeWidget() = default;

QString TimeRangeWidget::GetText() const
{
    const QTime start = m_ui->timeEdit_1->time();
    const QTime end = m_ui->timeEdit_2->time();
    return start == end ? QStringLiteral(" - ") : TimeRangeText::Format(start, end);
}

void TimeRangeWidget::SetText(const QString& text)
{
    if (!text.contains(QLatin1Char('-')))
        return;
    QTime start;
    QTime end;
    TimeRangeText::Parse(text, start, end);
    if (start.isValid())
        m_ui->timeEdit_1->setTime(start);
    if (end.isValid())
        m_ui->timeEdit_2->setTime(end);
}

void TimeRangeWidget::on_timeEdit_1_timeChanged(const QTime& time)
{
    if (time > m_ui->timeEdit_2->time()) {
        m_lastEnd = time;
        m_ui->timeEdit_2->setTime(time);
    }
    if (time != m_lastStart) {
        m_lastStart = time;
        emit TimeUpdated();
    }
}

void TimeRangeWidget::on_timeEdit_2_timeChanged(const QTime& time)
{
    if (m_ui->timeEdit_1->time() > time) {
        m_lastStart = time;
        m_ui->timeEdit_1->setTime(time);
    }
    if (time != m_lastEnd) {
        m_lastEnd = time;
        emit TimeUpdated();
    }
}

#pragma once

#include <QTime>
#include <QWidget>

#include <memory>

namespace Ui {
class TimeRangeWidget;
}

// The in-place editor of a time-range cell: two times that never show a start after the end.
class TimeRangeWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TimeRangeWidget(QWidget* parent = nullptr);
    ~TimeRangeWidget() override;

    // Equal times give " - ", the range without times once stored.
    QString GetText() const;
    // A text without "-" changes nothing; a part that does not read as "hh:mm:ss" leaves its editor as it was.
    void SetText(const QString& text);

signals:
    void TimeUpdated();

private slots:
    void on_timeEdit_1_timeChanged(const QTime& time);
    void on_timeEdit_2_timeChanged(const QTime& time);

private:
    std::unique_ptr<Ui::TimeRangeWidget> m_ui;
    QTime m_lastStart;
    QTime m_lastEnd;
};

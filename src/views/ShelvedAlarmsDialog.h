#pragma once

#include <QDialog>
#include <QTimer>

class AlarmHandlingController;
class QLabel;
class QPushButton;
class QTableWidget;

// "Shelved Alarms": what the operator has shelved, until when and for how much longer, with the note; "Unshelve"
// brings the selected keys back at once. The list follows the controller and counts down while it is shown.
class ShelvedAlarmsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ShelvedAlarmsDialog(AlarmHandlingController* handling, QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_table; }
    void RetranslateUi();

public slots:
    void Refresh();
    void OnUnshelveClicked();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    AlarmHandlingController* const m_handling;
    QTableWidget* m_table = nullptr;
    QLabel* m_emptyLabel = nullptr;
    QPushButton* m_unshelveButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QTimer m_countdown;
};

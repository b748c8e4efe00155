#pragma once

#include <QDialog>
#include <QTimer>

class AlarmHandlingState;
class QLabel;
class QPushButton;
class QTableWidget;

// "Shelved Alarms": what the operator has shelved, until when and for how much longer, with the note; "Unshelve"
// asks for the selected keys back at once. It reads the shelves from the handling state, is told to refresh when
// they change, and counts down while it is shown.
class ShelvedAlarmsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ShelvedAlarmsDialog(const AlarmHandlingState& shelves, QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_table; }
    void RetranslateUi();

public slots:
    void Refresh();
    void OnUnshelveClicked();

signals:
    void Sig_Unshelve(QString key);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const AlarmHandlingState& m_shelves;
    QTableWidget* m_table = nullptr;
    QLabel* m_emptyLabel = nullptr;
    QPushButton* m_unshelveButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QTimer m_countdown;
};

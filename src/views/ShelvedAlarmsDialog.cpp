#include "views/ShelvedAlarmsDialog.h"

#include "alarm/AlarmHandlingState.h"
#include "alarm/AlarmRecord.h"

#include <QDeadlineTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
enum Column
{
    ColumnDevice,
    ColumnAlarm,
    ColumnUntil,
    ColumnLeft,
    ColumnNote,
    ColumnCount
};

// The signal and the kind of alarm an alarm view key names.
QString AlarmText(const QString& key)
{
    const QStringList parts = key.split(QLatin1Char(':'));
    if (parts.size() == 2)
        return AlarmTypeWord(parts[1].toInt());
    if (parts.size() != 4)
        return key;
    const QString port = PortDisplayName(parts[1].toInt(), parts[2].toInt());
    const QString kind =
        parts[3] == QLatin1String("video") ? ShelvedAlarmsDialog::tr("Video") : AlarmTypeWord(parts[3].toInt());
    return QStringLiteral("%1  %2").arg(port, kind);
}

QString LeftText(qint64 seconds)
{
    seconds = std::max<qint64>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}
} // namespace

ShelvedAlarmsDialog::ShelvedAlarmsDialog(const AlarmHandlingState& shelves, QWidget* parent)
    : QDialog(parent), m_shelves(shelves)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setColumnWidth(ColumnDevice, 130);
    m_table->setColumnWidth(ColumnAlarm, 170);
    m_table->setColumnWidth(ColumnUntil, 160);
    m_table->setColumnWidth(ColumnLeft, 90);
    m_emptyLabel = new QLabel(this);
    m_unshelveButton = new QPushButton(this);
    m_closeButton = new QPushButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_emptyLabel);
    buttons->addStretch();
    buttons->addWidget(m_unshelveButton);
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(820, 360);

    connect(m_unshelveButton, &QPushButton::clicked, this, &ShelvedAlarmsDialog::OnUnshelveClicked);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);
    m_countdown.setInterval(1000);
    connect(&m_countdown, &QTimer::timeout, this, &ShelvedAlarmsDialog::Refresh);
    RetranslateUi();
}

void ShelvedAlarmsDialog::RetranslateUi()
{
    setWindowTitle(tr("Shelved Alarms"));
    m_table->setHorizontalHeaderLabels(
        {tr("IP Address"), tr("Alarm"), tr("Shelved Until"), tr("Time Left"), tr("Note")});
    m_unshelveButton->setText(tr("Unshelve"));
    m_closeButton->setText(tr("Close"));
    Refresh();
}

void ShelvedAlarmsDialog::Refresh()
{
    QList<AlarmShelf> shelves = m_shelves.Shelves();
    std::sort(shelves.begin(), shelves.end(),
              [](const AlarmShelf& a, const AlarmShelf& b) { return a.deadline < b.deadline; });
    const qint64 now = QDeadlineTimer::current().deadline();
    m_table->setRowCount(shelves.size());
    for (int row = 0; row < shelves.size(); ++row) {
        const AlarmShelf& shelf = shelves[row];
        QTableWidgetItem* device = Cell(shelf.key.section(QLatin1Char(':'), 0, 0));
        device->setData(Qt::UserRole, shelf.key);
        m_table->setItem(row, ColumnDevice, device);
        m_table->setItem(row, ColumnAlarm, Cell(AlarmText(shelf.key)));
        m_table->setItem(row, ColumnUntil, Cell(shelf.until.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
        m_table->setItem(row, ColumnLeft, Cell(LeftText((shelf.deadline - now) / 1000)));
        m_table->setItem(row, ColumnNote, Cell(shelf.note));
    }
    m_emptyLabel->setText(shelves.isEmpty() ? tr("Nothing is shelved.") : QString());
    m_unshelveButton->setEnabled(!shelves.isEmpty());
}

void ShelvedAlarmsDialog::OnUnshelveClicked()
{
    QStringList keys;
    for (const QTableWidgetItem* item : m_table->selectedItems()) {
        if (item->column() == ColumnDevice)
            keys.append(item->data(Qt::UserRole).toString());
    }
    for (const QString& key : qAsConst(keys))
        emit Sig_Unshelve(key);
}

void ShelvedAlarmsDialog::showEvent(QShowEvent* event)
{
    Refresh();
    m_countdown.start();
    QDialog::showEvent(event);
}

void ShelvedAlarmsDialog::hideEvent(QHideEvent* event)
{
    m_countdown.stop();
    QDialog::hideEvent(event);
}

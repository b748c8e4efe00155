#include "views/DevicePicMonitorForm.h"

#include "ui_DevicePicMonitorForm.h"
#include "views/DeviceStatusForm.h"
#include "views/MainAlarmDisplayWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

DevicePicMonitorForm::DevicePicMonitorForm(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::DevicePicMonitorForm>())
{
    m_ui->setupUi(this);
    auto* contents = new QWidget;
    auto* layout = new QVBoxLayout(contents);
    m_grid = new QGridLayout;
    m_grid->setVerticalSpacing(25);
    m_grid->setHorizontalSpacing(30);
    layout->addLayout(m_grid);
    layout->addStretch();
    m_ui->scrollArea->setWidget(contents);
}

DevicePicMonitorForm::~DevicePicMonitorForm() = default;

void DevicePicMonitorForm::SetOwner(MainAlarmDisplayWidget* owner)
{
    if (m_owner) {
        Clear();
        m_owner = nullptr;
        return;
    }
    m_owner = owner;
}

void DevicePicMonitorForm::AddDevice(const QString& ip, const QString& title)
{
    if (m_statusForms.contains(ip))
        return;
    auto* box = new QGroupBox(title);
    auto* statusForm = new DeviceStatusForm;
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(statusForm);
    m_statusForms.insert(ip, statusForm);
    m_groupBoxes.insert(ip, box);

    const int n = m_deviceCount;
    if (n == 1) {
        m_grid->removeWidget(m_placeholder);
        delete m_placeholder;
        m_placeholder = nullptr;
    }
    if (n % 2 == 0) {
        m_grid->addWidget(box, n / 2, 0);
        if (n == 0) {
            m_placeholder = new QWidget;
            m_grid->addWidget(m_placeholder, 0, 1);
        }
    } else {
        m_grid->addWidget(box, n / 2, 1);
    }
    m_deviceCount = n + 1;
}

void DevicePicMonitorForm::SetCaptions(const QString& ip, const QString& analog, const QString& aes,
                                       const QStringList& bnc)
{
    if (DeviceStatusForm* form = m_statusForms.value(ip))
        form->SetCaptions(analog, aes, bnc);
}

void DevicePicMonitorForm::SetStates(const QString& ip, int lan, int aes, int analog, const int* bnc, int n)
{
    DeviceStatusForm* form = m_statusForms.value(ip);
    if (form && bnc)
        form->SetStates(lan, aes, analog, bnc, n);
}

void DevicePicMonitorForm::RefreshAll()
{
    if (!m_owner)
        return;
    for (auto it = m_statusForms.cbegin(); it != m_statusForms.cend(); ++it) {
        int lan, aes, analog;
        int bnc[DeviceStatusForm::BncCount];
        m_owner->GetDevicePortStates(it.key(), lan, aes, analog, bnc);
        it.value()->SetStates(lan, aes, analog, bnc, DeviceStatusForm::BncCount);
    }
}

void DevicePicMonitorForm::Clear()
{
    // The status forms go with their group boxes.
    for (QGroupBox* box : qAsConst(m_groupBoxes)) {
        m_grid->removeWidget(box);
        delete box;
    }
    delete m_placeholder;
    m_placeholder = nullptr;
    m_statusForms.clear();
    m_groupBoxes.clear();
    m_deviceCount = 0;
}

void DevicePicMonitorForm::RetranslateUi()
{
    m_ui->retranslateUi(this);
}

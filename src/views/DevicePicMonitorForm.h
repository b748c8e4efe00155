#pragma once

#include <QMap>
#include <QWidget>

#include <memory>

class DeviceStatusForm;
class MainAlarmDisplayWidget;
class QGridLayout;
class QGroupBox;

namespace Ui
{
class DevicePicMonitorForm;
}

// The all-devices status window: the port pictures of every device, two devices to a row.
class DevicePicMonitorForm : public QWidget
{
    Q_OBJECT

public:
    explicit DevicePicMonitorForm(QWidget* parent = nullptr);
    ~DevicePicMonitorForm() override;

    // A second call clears the window and forgets the owner.
    void SetOwner(MainAlarmDisplayWidget* owner);
    void AddDevice(const QString& ip, const QString& title);
    void SetCaptions(const QString& ip, const QString& analog, const QString& aes, const QStringList& bnc);
    void SetStates(const QString& ip, int lan, int aes, int analog, const int* bnc, int n);
    // Asks the owner for every device's port states.
    void RefreshAll();
    void Clear();
    void RetranslateUi();

    DeviceStatusForm* StatusForm(const QString& ip) const { return m_statusForms.value(ip); }
    QGridLayout* Grid() const { return m_grid; }
    QGroupBox* Box(const QString& ip) const { return m_groupBoxes.value(ip); }

private:
    std::unique_ptr<Ui::DevicePicMonitorForm> m_ui;
    QGridLayout* m_grid = nullptr;
    int m_deviceCount = 0;
    MainAlarmDisplayWidget* m_owner = nullptr;
    QMap<QString, DeviceStatusForm*> m_statusForms;
    QMap<QString, QGroupBox*> m_groupBoxes;
    // Keeps the grid two columns wide while it shows one device.
    QWidget* m_placeholder = nullptr;
};

#pragma once

#include <QGroupBox>
#include <QStringList>

class DeviceStatusForm;
class DeviceWidget;
class QLabel;

// The current device: its address, name and alarm age beside the pictures of its ports.
class CurrentDeviceBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit CurrentDeviceBox(QWidget* parent = nullptr);

    DeviceStatusForm* StatusForm() const { return m_statusForm; }
    // The tile's name, address and age.
    void ShowTexts(const DeviceWidget& tile);
    void SetAgeText(const QString& text);
    // No device: empty texts and every port picture normal.
    void Clear();
    // Name, address and age as shown.
    QStringList Texts() const;
    void RetranslateUi();

private:
    QLabel* m_nameValue = nullptr;
    QLabel* m_addressValue = nullptr;
    QLabel* m_ageValue = nullptr;
    QLabel* m_nameCaption = nullptr;
    QLabel* m_addressCaption = nullptr;
    QLabel* m_ageCaption = nullptr;
    DeviceStatusForm* m_statusForm = nullptr;
};

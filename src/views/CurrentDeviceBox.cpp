#include "views/CurrentDeviceBox.h"

#include "app/AppPaths.h"
#include "views/DeviceStatusForm.h"
#include "views/DeviceWidget.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
QLabel* CaptionLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    // Wide enough for "Device Name" at 16 pixels beside the picture's edge; 104 clips it.
    label->setFixedSize(128, 28);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setBrush(QPalette::Window, QBrush(QPixmap(GetIconDir() + "/back.png")));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}
} // namespace

CurrentDeviceBox::CurrentDeviceBox(QWidget* parent) : QGroupBox(parent)
{
    m_nameCaption = CaptionLabel(this);
    m_addressCaption = CaptionLabel(this);
    m_ageCaption = CaptionLabel(this);
    m_nameValue = new QLabel;
    m_addressValue = new QLabel;
    m_ageValue = new QLabel;
    QFont font = m_nameValue->font();
    font.setPixelSize(16);
    for (QLabel* label : {m_nameCaption, m_addressCaption, m_ageCaption, m_nameValue, m_addressValue, m_ageValue})
        label->setFont(font);
    m_nameValue->setMinimumWidth(300);
    auto* texts = new QFormLayout;
    texts->addRow(m_addressCaption, m_addressValue);
    texts->addRow(m_nameCaption, m_nameValue);
    texts->addRow(m_ageCaption, m_ageValue);
    auto* textColumn = new QVBoxLayout;
    textColumn->addSpacing(10);
    textColumn->addLayout(texts);
    textColumn->addStretch();
    m_statusForm = new DeviceStatusForm;
    m_statusForm->setMinimumWidth(700);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Maximum);
    setContentsMargins(0, 8, 0, 0);
    auto* boxLayout = new QHBoxLayout(this);
    boxLayout->addSpacing(15);
    boxLayout->addLayout(textColumn);
    boxLayout->addWidget(m_statusForm);
    boxLayout->addStretch();
}

void CurrentDeviceBox::ShowTexts(const DeviceWidget& tile)
{
    m_nameValue->setText(tile.GetName());
    m_addressValue->setText(tile.GetIp());
    m_ageValue->setText(tile.GetAgeText());
}

void CurrentDeviceBox::SetAgeText(const QString& text)
{
    m_ageValue->setText(text);
}

void CurrentDeviceBox::Clear()
{
    m_nameValue->clear();
    m_addressValue->clear();
    m_ageValue->clear();
    int bnc[DeviceStatusForm::BncCount];
    std::fill(std::begin(bnc), std::end(bnc), 1);
    m_statusForm->SetStates(1, 1, 1, bnc, DeviceStatusForm::BncCount);
}

QStringList CurrentDeviceBox::Texts() const
{
    return {m_nameValue->text(), m_addressValue->text(), m_ageValue->text()};
}

void CurrentDeviceBox::RetranslateUi()
{
    m_nameCaption->setText(tr("Device Name"));
    m_addressCaption->setText(tr("Device IP"));
    m_ageCaption->setText(tr("Alarm Time"));
    setTitle(tr("Current Device"));
}

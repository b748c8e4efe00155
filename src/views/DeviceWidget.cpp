#include "views/DeviceWidget.h"

#include "app/AppPaths.h"
#include "views/AlarmAgeText.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpacerItem>
#include <QTimerEvent>
#include <QToolTip>
#include <QVBoxLayout>

namespace {
// One icon shared by every tile: an icon made from a file reads the file into an image of its own, 16 KiB a tile.
// Kept until the process ends.
const QIcon& SoundIcon(bool on)
{
    static const QIcon* const sound = new QIcon(GetIconDir() + "/sound.png");
    static const QIcon* const unsound = new QIcon(GetIconDir() + "/unsound.png");
    return on ? *sound : *unsound;
}

// The device picture at a tile's size, shared by every tile: they all have the column's width. A label scaling the
// picture itself would keep a copy of the image and of the scaled picture for each tile it has painted.
const QPixmap& DevicePicture(const QSize& size, qreal pixelRatio)
{
    static const QPixmap* const picture = new QPixmap(GetIconDir() + "/device.jpg");
    static QPixmap* const scaled = new QPixmap;
    const QSize pixels = size * pixelRatio;
    if (scaled->size() != pixels && !picture->isNull()) {
        *scaled = picture->scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled->setDevicePixelRatio(pixelRatio);
    }
    return *scaled;
}

// "- - -" in the current language, one string shared by every tile. A storm's end sets it on every tile, and a
// copy of its own in each would land among the storm's memory and keep that from going back to the system.
const QString& NoAgeText()
{
    static QString* const text = new QString;
    const QString translated = QCoreApplication::translate("DeviceWidget", "- - -");
    if (translated != *text)
        *text = translated;
    return *text;
}
} // namespace

DeviceWidget::DeviceWidget(QWidget* parent) : QWidget(parent)
{
    // The picture's place, sized as a label holding the picture would be: at least the picture, more in a wider
    // tile; a tile too small for it shares the shortfall with the texts.
    m_pictureSpace = new QSpacerItem(240, 96, QSizePolicy::Minimum, QSizePolicy::Minimum);
    m_titleLabel = new QLabel(this);
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_ageLabel = new QLabel(NoAgeText(), this);
    m_ageLabel->setAlignment(Qt::AlignCenter);

    auto* pictureRow = new QHBoxLayout;
    pictureRow->addSpacing(10);
    pictureRow->addSpacerItem(m_pictureSpace);
    pictureRow->addSpacing(10);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictureRow);
    layout->addWidget(m_titleLabel);
    layout->addWidget(m_ageLabel);

    // Outside the layout, over the tile's lower right corner.
    m_soundButton = new QPushButton(this);
    m_soundButton->setFlat(true);
    m_soundButton->setFixedSize(20, 20);
    m_soundButton->move(125, 70);
    m_soundButton->setIcon(SoundIcon(true));
    connect(m_soundButton, &QPushButton::clicked, this, &DeviceWidget::OnSoundButtonClicked);
}

void DeviceWidget::SetIp(const QString& ip)
{
    m_ip = ip;
    UpdateTitle();
}

void DeviceWidget::SetName(const QString& name)
{
    m_name = name;
    UpdateTitle();
}

void DeviceWidget::SetUnacknowledged(int count)
{
    if (count == m_unacknowledged)
        return;
    m_unacknowledged = count;
    // In a storm the number changes with every round; the badge shows it a few times a second.
    if (!m_badgeTimer.isActive())
        m_badgeTimer.start(BadgeDelayMs, this);
}

void DeviceWidget::ShowUnacknowledged()
{
    if (m_shownUnacknowledged == m_unacknowledged)
        return;
    m_shownUnacknowledged = m_unacknowledged;
    update(BadgeRect);
}

void DeviceWidget::UpdateTitle()
{
    m_titleLabel->setText(m_name.isEmpty() ? m_ip : m_name);
}

void DeviceWidget::SetState(int state)
{
    if (state != m_state) {
        m_state = state;
        update();
    }
    if (state == 1) {
        m_refreshTimer.stop();
        m_ageLabel->setText(NoAgeText());
        return;
    }
    RefreshAge();
    // Left running when it is: a storm sets the state of a tile over and over, and the age changes by the minute.
    if (!m_refreshTimer.isActive())
        m_refreshTimer.start(RefreshIntervalMs, this);
}

void DeviceWidget::SetAlarmTime(const QDateTime& time)
{
    m_lastAlarmMs = time.toMSecsSinceEpoch();
}

void DeviceWidget::SetFocused(bool focused)
{
    m_focused = focused;
    update();
}

void DeviceWidget::RefreshAge()
{
    m_ageLabel->setText(AlarmAgeText(m_lastAlarmMs, QDateTime::currentMSecsSinceEpoch()));
}

QString DeviceWidget::GetAgeText() const
{
    return m_ageLabel->text();
}

void DeviceWidget::OnTimer()
{
    RefreshAge();
    m_refreshTimer.start(RefreshIntervalMs, this);
}

void DeviceWidget::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_badgeTimer.timerId()) {
        m_badgeTimer.stop();
        ShowUnacknowledged();
    } else if (event->timerId() == m_refreshTimer.timerId()) {
        OnTimer();
    } else {
        QWidget::timerEvent(event);
    }
}

void DeviceWidget::OnSoundButtonClicked()
{
    m_soundOn = !m_soundOn;
    m_soundButton->setIcon(SoundIcon(m_soundOn));
    emit EnableSound(m_ip, m_soundOn);
}

void DeviceWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), m_background);
    if (m_focused)
        painter.fillRect(QRect(0, 0, 10, height()), QColor(20, 104, 154));
    const QRect picture = m_pictureSpace->geometry();
    if (!picture.isEmpty())
        painter.drawPixmap(picture.topLeft(), DevicePicture(picture.size(), devicePixelRatioF()));
    painter.setPen(Qt::gray);
    painter.setBrush(m_state == 3 ? QColor(Qt::red) : QColor(153, 204, 0));
    painter.drawEllipse(QPoint(135, 15), 6, 6);
    if (m_shownUnacknowledged > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(220, 0, 0));
        painter.drawRoundedRect(BadgeRect, 4, 4);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::white);
        painter.drawText(BadgeRect, Qt::AlignCenter,
                         m_shownUnacknowledged > 999 ? QStringLiteral("999+") : QString::number(m_shownUnacknowledged));
    }
}

bool DeviceWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_shownUnacknowledged > 0) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (BadgeRect.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), tr("Unacknowledged alarms: %1").arg(m_shownUnacknowledged), this,
                               BadgeRect);
            return true;
        }
    }
    return QWidget::event(event);
}

void DeviceWidget::mousePressEvent(QMouseEvent* event)
{
    emit WidgetFocus(m_focused);
    QWidget::mousePressEvent(event);
}

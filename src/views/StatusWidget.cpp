#include "views/StatusWidget.h"

#include <QHash>
#include <QPainter>

#include <algorithm>

StatusWidget::StatusWidget(QWidget* parent) : QWidget(parent)
{
}

void StatusWidget::SetIcons(const QString& disabled, const QString& normal, const QString& warn, const QString& error)
{
    // Every device shows the same few pictures: each file is read once and its pixels shared.
    static QHash<QString, QImage> loaded;
    const QString paths[] = {disabled, normal, warn, error};
    for (int i = 0; i < 4; ++i) {
        auto it = loaded.find(paths[i]);
        if (it == loaded.end())
            it = loaded.insert(paths[i], QImage(paths[i]));
        m_images[i] = it.value();
    }
    update();
}

void StatusWidget::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    update();
}

QRect StatusWidget::ImageRect() const
{
    if (m_state < 0 || m_state > 3 || m_images[m_state].isNull())
        return QRect();
    const QImage& image = m_images[m_state];
    const double scale = std::min(double(width()) / image.width(), double(height()) / image.height());
    const int w = int(image.width() * scale);
    const int h = int(image.height() * scale);
    return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

void StatusWidget::paintEvent(QPaintEvent*)
{
    const QRect target = ImageRect();
    if (target.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_images[m_state]);
}

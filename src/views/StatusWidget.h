#pragma once

#include <QImage>
#include <QWidget>

// One port picture: the image of its state (0 disabled, 1 normal, 2 warn, 3 error), scaled to fit and centred.
class StatusWidget : public QWidget
{
    Q_OBJECT

public:
    explicit StatusWidget(QWidget* parent = nullptr);

    void SetIcons(const QString& disabled, const QString& normal, const QString& warn, const QString& error);
    void SetState(int state);
    int GetState() const { return m_state; }
    // Where paintEvent draws the state's image; empty when nothing is drawn.
    QRect ImageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_state = 0;
    QImage m_images[4];
};

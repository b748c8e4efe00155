#pragma once

#include <QDateTime>
#include <QBasicTimer>
#include <QWidget>

class QLabel;
class QPushButton;
class QSpacerItem;

// A device's tile in the navigation column: picture, name, age of the last alarm, a status dot, the focus bar of
// the current device and a button that mutes the device's spoken alarms.
class DeviceWidget : public QWidget
{
    Q_OBJECT

public:
    explicit DeviceWidget(QWidget* parent = nullptr);

    void SetIp(const QString& ip);
    void SetName(const QString& name);
    // State 1 shows "- - -" and stops the age refresh; any other state shows the age, renewed every 30 s.
    void SetState(int state);
    void SetAlarmTime(const QDateTime& time);
    void SetFocused(bool focused);
    void RefreshAge();
    // A badge with the number of the device's unacknowledged alarms, hidden at 0, shown within a quarter second.
    void SetUnacknowledged(int count);
    int GetUnacknowledged() const { return m_unacknowledged; }

    QString GetName() const { return m_name; }
    QString GetIp() const { return m_ip; }
    QString GetAgeText() const;
    int GetState() const { return m_state; }
    bool IsFocused() const { return m_focused; }
    bool IsSoundOn() const { return m_soundOn; }

signals:
    // Every press, with the focus mark as it was before.
    void WidgetFocus(bool bFocus);
    void EnableSound(QString ip, bool enable);

public slots:
    void OnTimer();
    void OnSoundButtonClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void UpdateTitle();
    void ShowUnacknowledged();

    QSpacerItem* m_pictureSpace = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_ageLabel = nullptr;
    QString m_name;
    qint64 m_lastAlarmMs = 0;
    QColor m_background = Qt::white;
    bool m_focused = false;
    // Basic timers: a QTimer's first start gives it bookkeeping that it keeps for good, two small blocks a tile that a
    // storm's first alarms would scatter among its memory.
    QBasicTimer m_refreshTimer;
    QString m_ip;
    int m_state = 1;
    bool m_soundOn = true;
    QPushButton* m_soundButton = nullptr;
    // Painted over the picture's upper left corner, clear of the status dot on the right. Painted rather than a
    // label: a label needs a style sheet for its colours, several kilobytes a tile.
    static constexpr QRect BadgeRect{14, 4, 32, 18};
    static constexpr int BadgeDelayMs = 250;
    static constexpr int RefreshIntervalMs = 30000;
    int m_unacknowledged = 0;
    int m_shownUnacknowledged = 0;
    QBasicTimer m_badgeTimer;
};

#pragma once

#include <QStringList>
#include <QVector>
#include <QWidget>

class QLabel;
class StatusWidget;

// The port pictures of one device: LAN, analog audio, AES/EBU audio and BNC 1 to 16, each with its caption.
class DeviceStatusForm : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BncCount = 16;

    explicit DeviceStatusForm(QWidget* parent = nullptr);

    // Empty texts keep the caption they replace; BNC names beyond the sixteenth are ignored.
    void SetCaptions(const QString& analog, const QString& aes, const QStringList& bnc);
    // States 0 disabled, 1 normal, 2 warn, 3 error; any other value leaves its picture as it is.
    void SetStates(int lan, int aes, int analog, const int* bnc, int n);

    // LAN, AES/EBU, analog, then BNC 1 to 16.
    QVector<int> States() const;
    // Analog, AES/EBU, then BNC 1 to 16.
    QStringList Captions() const;

private:
    StatusWidget* m_lan = nullptr;
    StatusWidget* m_analog = nullptr;
    StatusWidget* m_aes = nullptr;
    StatusWidget* m_bnc[BncCount] = {};
    QLabel* m_analogCaption = nullptr;
    QLabel* m_aesCaption = nullptr;
    QLabel* m_bncCaptions[BncCount] = {};
};

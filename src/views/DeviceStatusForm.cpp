#include "views/DeviceStatusForm.h"

#include "app/AppPaths.h"
#include "views/StatusWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace
{
StatusWidget* Picture(const QString& kind, QWidget* parent)
{
    auto* picture = new StatusWidget(parent);
    // Pictures keep one size whatever room their captions leave: in the status window a group whose neighbour in
    // the row has longer captions is stretched, and with only a maximum its pictures grew.
    picture->setFixedHeight(30);
    const QString base = GetIconDir() + QLatin1Char('/') + kind;
    picture->SetIcons(base + "_disable.png", base + "_normal.png", base + "_warn.png", base + "_error.png");
    return picture;
}

QLabel* Caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    // Long signal names wrap within their column instead of widening the form past the window.
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(30);
    return label;
}

void SetIfValid(StatusWidget* picture, int state)
{
    if (state >= 0 && state <= 3)
        picture->SetState(state);
}
} // namespace

DeviceStatusForm::DeviceStatusForm(QWidget* parent) : QWidget(parent)
{
    m_lan = Picture(QStringLiteral("lan"), this);
    m_analog = Picture(QStringLiteral("analog"), this);
    m_aes = Picture(QStringLiteral("aes"), this);
    m_analogCaption = Caption(tr("ANA Audio"), this);
    m_aesCaption = Caption(tr("AES Audio"), this);
    for (int i = 0; i < BncCount; ++i) {
        m_bnc[i] = Picture(QStringLiteral("bnc"), this);
        m_bnc[i]->setMinimumWidth(30);
        m_bncCaptions[i] = Caption(tr("BNC %1").arg(i + 1), this);
    }

    auto* grid = new QGridLayout;
    grid->setRowMinimumHeight(0, 30);
    grid->setRowMinimumHeight(2, 15);
    grid->setRowMinimumHeight(3, 30);
    grid->addWidget(m_lan, 0, 0);
    grid->addWidget(Caption(tr("LAN"), this), 1, 0);
    auto* audioPictures = new QHBoxLayout;
    audioPictures->addWidget(m_analog);
    audioPictures->addWidget(m_aes);
    grid->addLayout(audioPictures, 0, 1, 1, 3);
    auto* audioCaptions = new QHBoxLayout;
    audioCaptions->addWidget(m_analogCaption);
    audioCaptions->addWidget(m_aesCaption);
    grid->addLayout(audioCaptions, 1, 1, 1, 3);
    // BNC 11 to 16 share the top row with LAN and audio; BNC 1 to 10 fill the row below.
    for (int i = 10; i < BncCount; ++i) {
        grid->addWidget(m_bnc[i], 0, i - 6);
        grid->addWidget(m_bncCaptions[i], 1, i - 6);
    }
    for (int i = 0; i < 10; ++i) {
        grid->addWidget(m_bnc[i], 3, i);
        grid->addWidget(m_bncCaptions[i], 4, i);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
}

void DeviceStatusForm::SetCaptions(const QString& analog, const QString& aes, const QStringList& bnc)
{
    if (!analog.isEmpty())
        m_analogCaption->setText(analog);
    if (!aes.isEmpty())
        m_aesCaption->setText(aes);
    for (int i = 0; i < qMin(int(BncCount), bnc.size()); ++i) {
        if (!bnc[i].isEmpty())
            m_bncCaptions[i]->setText(bnc[i]);
    }
}

void DeviceStatusForm::SetStates(int lan, int aes, int analog, const int* bnc, int n)
{
    if (!bnc)
        return;
    SetIfValid(m_lan, lan);
    SetIfValid(m_aes, aes);
    SetIfValid(m_analog, analog);
    for (int i = 0; i < qMin(int(BncCount), n); ++i)
        SetIfValid(m_bnc[i], bnc[i]);
}

QVector<int> DeviceStatusForm::States() const
{
    QVector<int> states{m_lan->GetState(), m_aes->GetState(), m_analog->GetState()};
    for (const StatusWidget* picture : m_bnc)
        states.append(picture->GetState());
    return states;
}

QStringList DeviceStatusForm::Captions() const
{
    QStringList captions{m_analogCaption->text(), m_aesCaption->text()};
    for (const QLabel* caption : m_bncCaptions)
        captions.append(caption->text());
    return captions;
}

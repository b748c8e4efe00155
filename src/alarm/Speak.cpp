#include "alarm/Speak.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSet>

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <cmath>
#include <cstring>

namespace {

// espeak-ng keeps one global instance; this lock serialises every use of it and guards the state below.
QMutex s_engineLock;
bool s_engineTried = false;
int s_sampleRate = 0;
bool s_availabilityTried = false;
bool s_available = false;
bool s_playbackOutput = false;
enum class Playback
{
    Untried,
    Works,
    Missing,
};
Playback s_playback = Playback::Untried;
QSet<QString> s_reportedMissingVoices;

struct Capture
{
    QVector<qint16>* samples;
    const std::atomic<bool>* stop;
};

int CaptureSamples(short* wave, int count, espeak_EVENT* events)
{
    const auto* capture = static_cast<const Capture*>(events ? events->user_data : nullptr);
    if (!capture)
        return 0;
    if (wave && count > 0) {
        const int old = capture->samples->size();
        capture->samples->resize(old + count);
        std::memcpy(capture->samples->data() + old, wave, sizeof(qint16) * size_t(count));
    }
    return capture->stop && capture->stop->load() ? 1 : 0;
}

bool EnsureEngineLocked()
{
    if (!s_engineTried) {
        s_engineTried = true;
        // Without DONT_EXIT espeak-ng ends the whole process when its data cannot be loaded.
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate > 0) {
            s_sampleRate = rate;
            espeak_SetSynthCallback(CaptureSamples);
        } else {
            qDebug() << "The speech engine espeak-ng could not be initialised";
        }
    }
    return s_sampleRate > 0;
}

bool SetOutputLocked(bool playback)
{
    if (s_playbackOutput == playback)
        return true;
    const int mode = playback ? (ENOUTPUT_MODE_SYNCHRONOUS | ENOUTPUT_MODE_SPEAK_AUDIO) : ENOUTPUT_MODE_SYNCHRONOUS;
    if (espeak_ng_InitializeOutput(espeak_ng_OUTPUT_MODE(mode), 0, nullptr) != ENS_OK)
        return false;
    s_playbackOutput = playback;
    return true;
}

// -10 is about a third of the normal rate and 10 about three times it, like the voices the markup comes from.
int WordsPerMinute(int rate)
{
    return qRound(espeakRATE_NORMAL * std::pow(3.0, qBound(-10, rate, 10) / 10.0));
}

QString SelectVoiceLocked(const QString& voiceName, int rate)
{
    const QString wanted = voiceName.isEmpty() ? QStringLiteral("en") : voiceName;
    if (espeak_SetVoiceByName(wanted.toUtf8().constData()) != EE_OK) {
        if (!s_reportedMissingVoices.contains(wanted)) {
            s_reportedMissingVoices.insert(wanted);
            qDebug() << "The speech voice" << wanted << "is not installed; speaking with the English voice";
        }
        espeak_SetVoiceByName("en");
    }
    espeak_SetParameter(espeakRATE, WordsPerMinute(rate), 0);
    const espeak_VOICE* current = espeak_GetCurrentVoice();
    return current && current->name ? QString::fromUtf8(current->name) : QString();
}

espeak_ERROR SynthLocked(const QString& text, Capture* capture)
{
    const QByteArray utf8 = text.toUtf8();
    return espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                        capture);
}

QVector<qint16> RenderLocked(const QString& text, int rate, const QString& voiceName, const std::atomic<bool>* stop,
                             QString* usedVoice)
{
    QVector<qint16> samples;
    if (!EnsureEngineLocked() || !SetOutputLocked(false))
        return samples;
    const QString voice = SelectVoiceLocked(voiceName, rate);
    if (usedVoice)
        *usedVoice = voice;
    Capture capture{&samples, stop};
    SynthLocked(text, &capture);
    return samples;
}

struct RateSegment
{
    int rate;
    QString text;
};

int ParseRate(const QString& digits)
{
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok)
        return digits.startsWith(QLatin1Char('-')) ? -10 : 10;
    return int(qBound(qlonglong(-10), value, qlonglong(10)));
}

// Splits "<RATE SPEED="n">...</RATE>" markup into the parts to speak and their rates; text outside any markup has
// the normal rate 0. The markup may nest.
QVector<RateSegment> ParseRateMarkup(const QString& text)
{
    static const QRegularExpression tag(QStringLiteral("<RATE\\s+SPEED\\s*=\\s*\"([+-]?\\d+)\"\\s*>|</RATE\\s*>"),
                                        QRegularExpression::CaseInsensitiveOption);
    QVector<RateSegment> segments;
    QVector<int> rates;
    int from = 0;
    auto take = [&](int to) {
        const QString part = text.mid(from, to - from);
        if (!part.trimmed().isEmpty())
            segments.append({rates.isEmpty() ? 0 : rates.last(), part});
    };
    QRegularExpressionMatchIterator it = tag.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        take(match.capturedStart());
        if (match.capturedLength(1) > 0)
            rates.append(ParseRate(match.captured(1)));
        else if (!rates.isEmpty())
            rates.removeLast();
        from = match.capturedEnd();
    }
    take(text.size());
    return segments;
}

} // namespace

Speak::Speak(bool playAloud) : m_playAloud(playAloud), m_supported(IsAvailable()) {}

bool Speak::IsAvailable()
{
    QMutexLocker locker(&s_engineLock);
    if (!s_availabilityTried) {
        s_availabilityTried = true;
        s_available = !RenderLocked(QStringLiteral("ok"), 0, QString(), nullptr, nullptr).isEmpty();
        if (!s_available)
            qDebug() << "The speech engine produces no audio; spoken alarms are off";
    }
    return s_available;
}

int Speak::SampleRate()
{
    QMutexLocker locker(&s_engineLock);
    return EnsureEngineLocked() ? s_sampleRate : 0;
}

void Speak::Say(const QString& text, const QString& voiceName)
{
    if (!m_supported)
        return;
    for (const RateSegment& segment : ParseRateMarkup(text)) {
        if (m_stopRequested)
            return;
        if (m_playAloud && PlayAloud(segment.text, segment.rate, voiceName))
            continue;
        QVector<qint16> samples;
        {
            QMutexLocker locker(&s_engineLock);
            samples = RenderLocked(segment.text, segment.rate, voiceName, &m_stopRequested, &m_lastVoiceName);
        }
        WaitFor(samples.size());
    }
}

void Speak::Stop()
{
    QMutexLocker locker(&m_stopLock);
    m_stopRequested = true;
    m_stopWake.wakeAll();
}

QVector<qint16> Speak::Synthesize(const QString& text, const QString& voiceName)
{
    QVector<qint16> samples;
    if (!m_supported)
        return samples;
    QMutexLocker locker(&s_engineLock);
    for (const RateSegment& segment : ParseRateMarkup(text))
        samples += RenderLocked(segment.text, segment.rate, voiceName, &m_stopRequested, &m_lastVoiceName);
    return samples;
}

bool Speak::PlayAloud(const QString& text, int rate, const QString& voiceName)
{
    QMutexLocker locker(&s_engineLock);
    if (s_playback == Playback::Missing)
        return false;
    if (SetOutputLocked(true)) {
        m_lastVoiceName = SelectVoiceLocked(voiceName, rate);
        if (SynthLocked(text, nullptr) == EE_OK) {
            s_playback = Playback::Works;
            return true;
        }
    }
    s_playback = Playback::Missing;
    qDebug() << "No audio output device: spoken alarms are synthesised but not heard";
    return false;
}

void Speak::WaitFor(int sampleCount)
{
    const int rate = SampleRate();
    if (rate <= 0 || sampleCount <= 0)
        return;
    QDeadlineTimer deadline(qint64(sampleCount) * 1000 / rate);
    QMutexLocker locker(&m_stopLock);
    while (!m_stopRequested) {
        if (!m_stopWake.wait(&m_stopLock, deadline))
            break;
    }
}

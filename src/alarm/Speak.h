#pragma once

#include "alarm/SpeechVoice.h"

#include <QMutex>
#include <QVector>
#include <QWaitCondition>

#include <atomic>

// The station's voice: espeak-ng, speaking synchronously. Where the machine has no audio device the text is still
// synthesised and the call lasts as long as the audio would, so that the speech thread keeps the same pace.
// espeak-ng is one instance per process; every Speak shares it, one utterance at a time.
class Speak : public SpeechVoice
{
public:
    // playAloud false: synthesise and keep the pace without touching the audio device, for callers that must
    // stay quiet wherever they run.
    explicit Speak(bool playAloud = true);
    ~Speak() override = default;
    Speak(const Speak&) = delete;
    Speak& operator=(const Speak&) = delete;

    // The engine initialises and produces audio here. Decided once per process.
    static bool IsAvailable();
    // Of the samples Synthesize returns (16-bit mono); 0 when the engine is unusable.
    static int SampleRate();

    bool IsSupported() const { return m_supported; }
    void Say(const QString& text, const QString& voiceName) override;
    void Stop() override;

    // The audio Say would play, rendered into memory; the rate markup is applied, not spoken.
    QVector<qint16> Synthesize(const QString& text, const QString& voiceName);
    // The engine's name of the voice the last utterance used ("English (Great Britain)").
    QString LastVoiceName() const { return m_lastVoiceName; }

private:
    // False when there is no audio device to play on.
    bool PlayAloud(const QString& text, int rate, const QString& voiceName);
    // Waits as long as the audio lasts, or until Stop.
    void WaitFor(int sampleCount);

    const bool m_playAloud;
    const bool m_supported;
    QString m_lastVoiceName;
    std::atomic<bool> m_stopRequested{false};
    // Guards nothing but the wait in WaitFor, so that Stop cannot slip between its test and its sleep.
    QMutex m_stopLock;
    QWaitCondition m_stopWake;
};

#pragma once

#include <QString>

#include <functional>
#include <memory>

// What the speech thread speaks through. A voice is created, used and destroyed on the speech thread; only Stop
// may be called from another thread.
class SpeechVoice
{
public:
    virtual ~SpeechVoice() = default;

    // Returns once the text has been spoken, which is what paces the speech thread. The text may wrap parts in
    // <RATE SPEED="n">...</RATE> (n from -10 to 10). voiceName is the engine voice of the current language; an
    // empty name means the English voice.
    virtual void Say(const QString& text, const QString& voiceName) = 0;

    // Any thread: cuts the current utterance short as far as the engine allows and silences every later one.
    virtual void Stop() = 0;
};

using SpeechVoiceFactory = std::function<std::unique_ptr<SpeechVoice>()>;

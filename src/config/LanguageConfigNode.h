#pragma once

#include "config/Ox_XmlNodeBase.h"

#include <QVector>

// One language of lang_config.xml: its name, its two translation files, the words spoken alarms are built from
// and the speech voice. Each word carries its own spacing, because the spoken texts join words without blanks.
class LanguageConfigNode : public Ox_XmlNodeBase
{
public:
    QString NodeName() const override;
    bool WriteToXmlNode(QDomDocument& document, QDomElement& parent) const override;
    bool ReadFromXmlNode(const QDomElement& element) override;

    QString name() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    // Translation file for Qt's own texts.
    QString qt_file_name() const { return m_qtFileName; }
    void SetQtFileName(const QString& fileName) { m_qtFileName = fileName; }
    // Translation file for the station's texts.
    QString private_file_name() const { return m_privateFileName; }
    void SetPrivateFileName(const QString& fileName) { m_privateFileName = fileName; }

    // Words for the alarm types 1, 2, 4, 8, 16 and 32.
    QString black() const { return m_black; }
    void SetBlack(const QString& word) { m_black = word; }
    QString freeze() const { return m_freeze; }
    void SetFreeze(const QString& word) { m_freeze = word; }
    QString video_lost() const { return m_videoLost; }
    void SetVideoLost(const QString& word) { m_videoLost = word; }
    QString slience() const { return m_slience; }
    void SetSlience(const QString& word) { m_slience = word; }
    QString audio_overload() const { return m_audioOverload; }
    void SetAudioOverload(const QString& word) { m_audioOverload = word; }
    // Said instead of single alarms while too many are queued.
    QString too_many_alarm() const { return m_tooManyAlarm; }
    void SetTooManyAlarm(const QString& word) { m_tooManyAlarm = word; }
    QString device_connect_state() const { return m_deviceConnectState; }
    void SetDeviceConnectState(const QString& word) { m_deviceConnectState = word; }

    // Words for the levels 2, 3 and 1.
    QString warn() const { return m_warn; }
    void SetWarn(const QString& word) { m_warn = word; }
    QString error() const { return m_error; }
    void SetError(const QString& word) { m_error = word; }
    QString normal() const { return m_normal; }
    void SetNormal(const QString& word) { m_normal = word; }

    // Put before a track number.
    QString track() const { return m_track; }
    void SetTrack(const QString& word) { m_track = word; }
    // An alarm in the short announcements.
    QString alarm() const { return m_alarm; }
    void SetAlarm(const QString& word) { m_alarm = word; }

    // espeak-ng voice name ("en", "cmn"); empty when the file names none.
    QString voice() const { return m_voice; }
    void SetVoice(const QString& voice) { m_voice = voice; }

private:
    struct Word
    {
        const char* tag;
        QString LanguageConfigNode::*member;
        const char* fallback;
    };
    // The child elements, shared by reading and writing.
    static const QVector<Word>& Words();

    QString m_name;
    QString m_qtFileName;
    QString m_privateFileName;
    QString m_black;
    QString m_freeze;
    QString m_videoLost;
    QString m_slience;
    QString m_audioOverload;
    QString m_tooManyAlarm;
    QString m_deviceConnectState;
    QString m_warn;
    QString m_error;
    QString m_normal;
    QString m_track;
    QString m_alarm;
    QString m_voice;
};

#pragma once

#include "alarm/SpeechVoice.h"
#include "config/DeviceConfigFile.h"
#include "config/LanguageConfigNode.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QSet>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <map>

class AlarmRecord;
class SystemConfigFile;
struct SpeechItem;

// The speech queue: announces alarms aloud on its own thread, one at a time with a pause after each, repeats what
// is still queued once the repeat period has passed, says an ended alarm once more at most, and replaces a flood
// of alarms by one repeated warning. The alarm handler appends from its thread, the views and the main window call
// the rest from the GUI thread.
class SoundAlarmManager : public QThread
{
public:
    // More queued items than this are announced only by the too_many_alarm word.
    static constexpr int MaxSpokenQueue = 30;
    // Items a flood's pass walks before it lets others at the queue.
    static constexpr int FloodSlice = 1024;

    // Speaks with the station's voice; supported when the speech engine works on this machine.
    SoundAlarmManager();
    // Speaks through voices made by the factory on the speech thread; unsupported makes the manager inert.
    SoundAlarmManager(SpeechVoiceFactory voiceFactory, bool supported);
    // Stops the speech thread and waits for it: no utterance outlives the manager.
    ~SoundAlarmManager() override;

    bool IsSupported() const { return m_supported; }
    void SetSystemConfig(const SystemConfigFile& config);
    // Empties the queue and unmutes every device.
    void SetDeviceConfig(const DeviceConfigFile& config);
    void SetVocabulary(const LanguageConfigNode& vocabulary);
    // Off: items are still queued, turned and retired as usual; only the speaking is skipped.
    void SetSoundEnabled(bool enabled) { m_soundOn = enabled; }

    // The record is borrowed for the call; the queue keeps its own copy. Null is ignored.
    void AppendAlarm(const AlarmRecord* record);
    void RemoveAlarm(const AlarmRecord& record);
    void RemoveDeviceItems(const QString& ip);
    void RemovePortAlarm(const QString& ip, int portType, int portID, int alarmType);
    void RemoveDeviceAlarm(const QString& ip, int alarmType);
    void RemoveVideoAlarms(const QString& ip, int portType, int portID);
    // Muting twice needs unmuting twice.
    void EnableDeviceSound(const QString& ip, bool enable);
    // Acknowledged alarms leave the queue and are not queued again until their end arrives, which is announced as
    // usual.
    void SetAcknowledged(const QList<AlarmRecord>& alarms, bool acknowledged);
    // Records of these alarm view keys leave the queue and are not queued while the keys stay shelved.
    void SetShelvedKeys(const QSet<QString>& viewKeys);
    // Appends a copy of every queued record, in queue order; only those of device ip when one is given, so that a
    // form showing one device copies no storm's worth. Without wait, false and nothing copied while another thread
    // holds the queue.
    bool GetQueuedAlarms(QList<AlarmRecord>& alarms, const QString& ip = QString(), bool wait = true) const;
    // Any thread: items waiting to be spoken.
    int QueueLength() const;
    // The acknowledged alarms and the shelved keys stay: they are the operator's, not the queue's.
    void Clear();

    // How long one second of the speech pacing lasts: the pause after each utterance and the unit of the repeat
    // period. Tests shorten it.
    void SetPaceUnit(int milliseconds);

protected:
    void run() override;

private:
    struct DeviceItems
    {
        SpeechItem* first = nullptr;
        SpeechItem* last = nullptr;
    };
    struct Utterance
    {
        QString text;
        QString voice;
    };

    // One pass of the speech thread up to the utterance: false when the pass ends without one.
    bool ChooseUtterance(quint32& nextSequence, QSet<QString>& saidPorts, Utterance& utterance);
    // The pause after an utterance; only the destructor cuts it short.
    void PauseAfterUtterance();
    // The helpers below expect m_queueLock to be held.
    QString ComposeText(const AlarmRecord& record) const;
    QString AlarmWord(int alarmType) const;
    QString LevelWord(int level) const;
    void DropItem(SpeechItem* item);
    void DropItemsWhere(const std::function<bool(const AlarmRecord&)>& matches);
    SpeechItem* FirstOfDevice(const QString& ip) const { return m_deviceItems.value(ip).first; }
    // Walks only what the device has queued.
    void DropDeviceItemsWhere(const QString& ip, const std::function<bool(const AlarmRecord&)>& matches);
    void DropItems(const QSet<SpeechItem*>& items);

    const bool m_supported;
    const SpeechVoiceFactory m_voiceFactory;
    // Guards every member below except the sound switch and the stop request.
    mutable QMutex m_queueLock;
    QWaitCondition m_wakeUp;
    QWaitCondition m_stopWake;
    // By sequence number, which is the order of arrival; an item leaves it without a walk through a storm's worth.
    std::map<quint32, SpeechItem*> m_queue;
    QHash<QString, SpeechItem*> m_index;
    // The same items by device, in queue order: a storm queues thousands, one device a hundred or so, and the
    // views and the connection records ask about one device.
    QHash<QString, DeviceItems> m_deviceItems;
    std::atomic<bool> m_soundOn{true};
    DeviceConfigFile m_deviceConfig;
    std::atomic<bool> m_stopRequested{false};
    quint32 m_lastSequence = 0;
    // Every item up to it is announced and not ended, and stays so: items are announced once and for all, and only
    // an item not yet announced can end early. A flood's pass starts after it, so that a storm's queue is walked
    // once rather than once a second.
    quint32 m_floodMark = 0;
    quint32 m_repeatPeriod = 3;
    LanguageConfigNode m_vocabulary;
    int m_speechRate = 1;
    bool m_shortAlarmText = false;
    bool m_skipRecoveries = false;
    bool m_dropOutdated = false;
    QStringList m_mutedDevices;
    QSet<QString> m_acknowledged;
    QSet<QString> m_shelvedKeys;
    int m_paceUnitMs = 1000;
    // The speech thread's voice while run lives, so that the destructor can silence it.
    SpeechVoice* m_activeVoice = nullptr;
};

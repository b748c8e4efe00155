#include "alarm/SoundAlarmManager.h"

#include "alarm/AlarmRecord.h"
#include "alarm/AlarmRecordPool.h"
#include "alarm/Speak.h"
#include "alarm/SpeechItem.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "config/SystemConfigFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QMutexLocker>

#include <mutex>

namespace {

// An alarm and its end differ only in the level part, so the end finds its alarm by the same key with level 3.
int SpeechKeyLevel(int level)
{
    return level == LevelNormal ? LevelNormal : LevelError;
}

QString SpeechKey(const AlarmRecord& record, int keyLevel)
{
    const QString ip = record.ip;
    const QString type = QString::number(record.alarmType);
    const QString level = QString::number(keyLevel);
    if (IsVideoAlarm(record.alarmType))
        return QStringLiteral("%1:%2:%3:%4:%5")
            .arg(ip, QString::number(record.portType), QString::number(record.portID), type, level);
    if (IsAudioTrackAlarm(record.alarmType))
        return QStringLiteral("%1:%2:%3:%4:%5:%6")
            .arg(ip, QString::number(record.portType), QString::number(record.portID), QString::number(record.trackID),
                 type, level);
    return QStringLiteral("%1:%2:%3").arg(ip, type, level);
}

QString SpeechKey(const AlarmRecord& record)
{
    return SpeechKey(record, SpeechKeyLevel(record.level));
}

QString PortKey(const AlarmRecord& record)
{
    return QStringLiteral("%1:%2").arg(record.ip, QString::number(record.portID));
}

} // namespace

SoundAlarmManager::SoundAlarmManager()
    : SoundAlarmManager([] { return std::make_unique<Speak>(); }, Speak::IsAvailable())
{
}

SoundAlarmManager::SoundAlarmManager(SpeechVoiceFactory voiceFactory, bool supported)
    : m_supported(supported), m_voiceFactory(std::move(voiceFactory))
{
}

SoundAlarmManager::~SoundAlarmManager()
{
    {
        QMutexLocker locker(&m_queueLock);
        m_stopRequested = true;
        if (m_activeVoice)
            m_activeVoice->Stop();
        m_wakeUp.wakeAll();
        m_stopWake.wakeAll();
    }
    wait();
    Clear();
}

void SoundAlarmManager::SetSystemConfig(const SystemConfigFile& config)
{
    QMutexLocker locker(&m_queueLock);
    m_repeatPeriod = config.sound_period();
    m_shortAlarmText = !config.say_alarm_type();
    m_skipRecoveries = !config.say_alarm_normal();
    m_speechRate = config.speech_rate();
    m_dropOutdated = !config.say_outdated_alarm();
}

void SoundAlarmManager::SetDeviceConfig(const DeviceConfigFile& config)
{
    Clear();
    QMutexLocker locker(&m_queueLock);
    m_deviceConfig = config;
    m_mutedDevices.clear();
}

void SoundAlarmManager::SetVocabulary(const LanguageConfigNode& vocabulary)
{
    // The speech thread reads the words while it composes, under the same lock.
    QMutexLocker locker(&m_queueLock);
    if (&vocabulary != &m_vocabulary)
        m_vocabulary = vocabulary;
}

void SoundAlarmManager::AppendAlarm(const AlarmRecord* record)
{
    if (!m_supported || !record)
        return;
    QMutexLocker locker(&m_queueLock);
    if (m_queue.size() != size_t(m_index.size()))
        qDebug().noquote()
            << QStringLiteral("mem error: list count %1  != map count %2").arg(m_queue.size()).arg(m_index.size());
    if (!m_acknowledged.isEmpty()) {
        const QString identityKey = AlarmIdentityKey(*record);
        // A repeated start of an acknowledged alarm is not news; its end is, and clears the mark even when the end
        // itself is not said (muted device, shelved key), so that the next start is said.
        if (record->level != LevelNormal && m_acknowledged.contains(identityKey))
            return;
        if (record->level == LevelNormal)
            m_acknowledged.remove(identityKey);
    }
    if (m_mutedDevices.contains(record->ip))
        return;
    if (!m_shelvedKeys.isEmpty() && m_shelvedKeys.contains(AlarmViewKey(*record)))
        return;
    const QString key = SpeechKey(*record);
    if (m_index.contains(key))
        return;

    AlarmRecord* copy = AlarmRecordPool::Instance()->Acquire();
    *copy = *record;
    const bool recovery = copy->level == LevelNormal;

    if (recovery) {
        if (SpeechItem* alarm = m_index.value(SpeechKey(*copy, LevelError))) {
            if (!alarm->announced && !m_dropOutdated)
                alarm->ended = true;
            else
                DropItem(alarm);
        }
    }
    // A device that was lost or found again makes everything queued for it outdated.
    if (copy->alarmType == AlarmTypeConnection) {
        for (SpeechItem* item = FirstOfDevice(copy->ip); item;) {
            SpeechItem* next = item->deviceNext;
            if (item->announced)
                DropItem(item);
            else
                item->ended = true;
            item = next;
        }
    }
    if (recovery && m_skipRecoveries) {
        AlarmRecordPool::Instance()->Release(copy);
        return;
    }

    auto* item = new SpeechItem;
    item->sequence = ++m_lastSequence;
    item->ended = recovery;
    item->record = copy;
    item->key = key;
    m_queue.emplace(item->sequence, item);
    m_index.insert(key, item);
    DeviceItems& device = m_deviceItems[copy->ip];
    item->devicePrevious = device.last;
    (device.last ? device.last->deviceNext : device.first) = item;
    device.last = item;

    if (!isRunning() && !m_stopRequested)
        start(QThread::InheritPriority);
    m_wakeUp.wakeOne();
}

void SoundAlarmManager::RemoveAlarm(const AlarmRecord& record)
{
    QMutexLocker locker(&m_queueLock);
    if (SpeechItem* item = m_index.value(SpeechKey(record)))
        DropItem(item);
}

void SoundAlarmManager::RemoveDeviceItems(const QString& ip)
{
    QMutexLocker locker(&m_queueLock);
    DropDeviceItemsWhere(ip, [](const AlarmRecord&) { return true; });
}

void SoundAlarmManager::RemovePortAlarm(const QString& ip, int portType, int portID, int alarmType)
{
    QMutexLocker locker(&m_queueLock);
    DropDeviceItemsWhere(ip, [&](const AlarmRecord& record) {
        return record.portType == portType && record.portID == portID && record.alarmType == alarmType;
    });
}

void SoundAlarmManager::RemoveDeviceAlarm(const QString& ip, int alarmType)
{
    QMutexLocker locker(&m_queueLock);
    DropDeviceItemsWhere(ip, [&](const AlarmRecord& record) { return record.alarmType == alarmType; });
}

void SoundAlarmManager::RemoveVideoAlarms(const QString& ip, int portType, int portID)
{
    QMutexLocker locker(&m_queueLock);
    DropDeviceItemsWhere(ip, [&](const AlarmRecord& record) {
        return record.portType == portType && record.portID == portID && IsVideoAlarm(record.alarmType);
    });
}

void SoundAlarmManager::EnableDeviceSound(const QString& ip, bool enable)
{
    QMutexLocker locker(&m_queueLock);
    if (enable) {
        m_mutedDevices.removeOne(ip);
        return;
    }
    m_mutedDevices.append(ip);
    DropDeviceItemsWhere(ip, [](const AlarmRecord&) { return true; });
}

void SoundAlarmManager::SetAcknowledged(const QList<AlarmRecord>& alarms, bool acknowledged)
{
    QMutexLocker locker(&m_queueLock);
    QSet<SpeechItem*> dropped;
    for (const AlarmRecord& alarm : alarms) {
        const QString identityKey = AlarmIdentityKey(alarm);
        if (!acknowledged) {
            m_acknowledged.remove(identityKey);
            continue;
        }
        m_acknowledged.insert(identityKey);
        if (SpeechItem* item = m_index.value(SpeechKey(alarm, LevelError)))
            dropped.insert(item);
    }
    DropItems(dropped);
}

void SoundAlarmManager::SetShelvedKeys(const QSet<QString>& viewKeys)
{
    QMutexLocker locker(&m_queueLock);
    m_shelvedKeys = viewKeys;
    DropItemsWhere([&](const AlarmRecord& record) { return viewKeys.contains(AlarmViewKey(record)); });
}

int SoundAlarmManager::QueueLength() const
{
    QMutexLocker locker(&m_queueLock);
    return int(m_queue.size());
}

bool SoundAlarmManager::GetQueuedAlarms(QList<AlarmRecord>& alarms, const QString& ip, bool wait) const
{
    std::unique_lock<QMutex> locker(m_queueLock, std::defer_lock);
    if (wait)
        locker.lock();
    else if (!locker.try_lock())
        return false;
    if (!ip.isEmpty()) {
        for (const SpeechItem* item = FirstOfDevice(ip); item; item = item->deviceNext)
            alarms.append(*item->record);
        return true;
    }
    for (const auto& queued : m_queue)
        alarms.append(*queued.second->record);
    return true;
}

void SoundAlarmManager::Clear()
{
    QMutexLocker locker(&m_queueLock);
    DropItemsWhere([](const AlarmRecord&) { return true; });
}

void SoundAlarmManager::SetPaceUnit(int milliseconds)
{
    QMutexLocker locker(&m_queueLock);
    m_paceUnitMs = qMax(0, milliseconds);
}

void SoundAlarmManager::run()
{
    const std::unique_ptr<SpeechVoice> voice = m_voiceFactory();
    {
        QMutexLocker locker(&m_queueLock);
        m_activeVoice = voice.get();
        if (m_stopRequested)
            voice->Stop();
    }
    quint32 nextSequence = 0;
    QSet<QString> saidPorts;
    while (!m_stopRequested) {
        Utterance utterance;
        if (!ChooseUtterance(nextSequence, saidPorts, utterance))
            continue;
        if (m_soundOn)
            voice->Say(utterance.text, utterance.voice);
        PauseAfterUtterance();
    }
    QMutexLocker locker(&m_queueLock);
    m_activeVoice = nullptr;
}

bool SoundAlarmManager::ChooseUtterance(quint32& nextSequence, QSet<QString>& saidPorts, Utterance& utterance)
{
    QMutexLocker locker(&m_queueLock);
    if (nextSequence > m_lastSequence) {
        // Everything queued has had its turn: wait for a new item, or repeat the queue once the period is over.
        // An empty queue has nothing to repeat, so a period of 0 cannot turn the wait into a busy loop.
        saidPorts.clear();
        const QDeadlineTimer repeatAt = m_queue.empty() ? QDeadlineTimer(QDeadlineTimer::Forever)
                                                        : QDeadlineTimer(qint64(m_repeatPeriod) * m_paceUnitMs);
        const bool woken = m_wakeUp.wait(&m_queueLock, repeatAt);
        if (m_stopRequested)
            return false;
        if (!woken && !m_queue.empty())
            nextSequence = 0;
    }
    if (m_queue.empty()) {
        saidPorts.clear();
        nextSequence = m_lastSequence + 1;
        return false;
    }

    if (m_queue.size() > size_t(MaxSpokenQueue)) {
        // A storm's ends are dropped here by the ten thousand: the lock is let go between slices of the walk, so
        // that the handler and the views never wait for the whole of it.
        int walked = 0;
        for (auto it = m_queue.upper_bound(m_floodMark); it != m_queue.end();) {
            SpeechItem* item = (it++)->second;
            if (item->ended)
                DropItem(item);
            else
                item->announced = true;
            if (++walked % FloodSlice == 0 && it != m_queue.end()) {
                const quint32 next = it->first;
                locker.unlock();
                locker.relock();
                it = m_queue.lower_bound(next);
            }
        }
        nextSequence = m_queue.empty() ? m_lastSequence + 1 : m_queue.rbegin()->first;
        m_floodMark = m_lastSequence;
        utterance = {m_vocabulary.too_many_alarm(), m_vocabulary.voice()};
        return true;
    }

    for (auto it = m_queue.begin(); it != m_queue.end();) {
        SpeechItem* item = (it++)->second;
        const AlarmRecord& record = *item->record;
        const bool recovery = record.level == LevelNormal;
        if ((item->ended && item->announced) || (recovery && m_skipRecoveries)) {
            DropItem(item);
            continue;
        }
        if (item->sequence < nextSequence)
            continue;
        const QString portKey = PortKey(record);
        if (!recovery) {
            if (saidPorts.contains(portKey))
                continue;
            if (m_shortAlarmText)
                saidPorts.insert(portKey);
        }

        item->announced = true;
        nextSequence = item->sequence + 1;
        utterance = {ComposeText(record), m_vocabulary.voice()};
        if (!m_shortAlarmText || recovery) {
            if (item->ended)
                DropItem(item);
        } else {
            // One short announcement covers every alarm of the port in this pass.
            for (const auto& queued : m_queue) {
                SpeechItem* other = queued.second;
                if (other->record->ip == record.ip && other->record->portID == record.portID &&
                    other->record->level != LevelNormal)
                    other->announced = true;
            }
        }
        return true;
    }
    nextSequence = m_lastSequence + 1;
    saidPorts.clear();
    return false;
}

void SoundAlarmManager::PauseAfterUtterance()
{
    QMutexLocker locker(&m_queueLock);
    const QDeadlineTimer deadline(m_paceUnitMs);
    while (!m_stopRequested && m_stopWake.wait(&m_queueLock, deadline)) {
    }
}

QString SoundAlarmManager::ComposeText(const AlarmRecord& record) const
{
    const QString alarmWord = AlarmWord(record.alarmType);
    const QString levelWord = LevelWord(record.level);
    const DeviceConfigNode* device = m_deviceConfig.FindDevice(record.ip);
    if (!device)
        return QStringLiteral("%1,%2").arg(alarmWord, levelWord);

    QString text;
    if (IsSignalAlarm(record.alarmType)) {
        // A port missing from the configuration is still named, by its place on the device.
        const QString portName = PortDisplayName(record.portType, record.portID);
        const PortConfigNode* port = device->FindPort(portName);
        const QString signal = port && !port->signal_name().isEmpty() ? port->signal_name() : portName;
        if (!m_shortAlarmText || record.level == LevelNormal) {
            if (IsAudioTrackAlarm(record.alarmType))
                text = QStringLiteral("%1,%2%3,%4%5")
                           .arg(signal, m_vocabulary.track(), QString::number(record.trackID), alarmWord, levelWord);
            else
                text = QStringLiteral("%1,%2,%3").arg(signal, alarmWord, levelWord);
        } else {
            text = QStringLiteral("%1,%2").arg(signal, m_vocabulary.alarm());
        }
        if (!record.deviceName.isEmpty())
            text = QStringLiteral("%1,%2").arg(record.deviceName, text);
    } else if (record.deviceName.isEmpty()) {
        text = QStringLiteral("%1,%2").arg(alarmWord, levelWord);
    } else {
        text = QStringLiteral("%1,%2%3").arg(record.deviceName, alarmWord, levelWord);
    }
    return QStringLiteral("%1%2</RATE>").arg(QStringLiteral("<RATE SPEED=\"%1\">").arg(m_speechRate), text);
}

QString SoundAlarmManager::AlarmWord(int alarmType) const
{
    switch (alarmType) {
    case AlarmTypeVideoBlack:
        return m_vocabulary.black();
    case AlarmTypeVideoFreeze:
        return m_vocabulary.freeze();
    case AlarmTypeVideoLost:
        return m_vocabulary.video_lost();
    case AlarmTypeSilence:
        return m_vocabulary.slience();
    case AlarmTypeAudioOverload:
        return m_vocabulary.audio_overload();
    case AlarmTypeConnection:
        return m_vocabulary.device_connect_state();
    default:
        return QCoreApplication::translate("SoundAlarmManager", "Unknown alarm");
    }
}

QString SoundAlarmManager::LevelWord(int level) const
{
    switch (level) {
    case LevelNormal:
        return m_vocabulary.normal();
    case LevelWarn:
        return m_vocabulary.warn();
    case LevelError:
        return m_vocabulary.error();
    default:
        return QCoreApplication::translate("SoundAlarmManager", "Unknown level");
    }
}

void SoundAlarmManager::DropItem(SpeechItem* item)
{
    m_queue.erase(item->sequence);
    m_index.remove(item->key);
    const auto device = m_deviceItems.find(item->record->ip);
    (item->devicePrevious ? item->devicePrevious->deviceNext : device->first) = item->deviceNext;
    (item->deviceNext ? item->deviceNext->devicePrevious : device->last) = item->devicePrevious;
    if (!device->first)
        m_deviceItems.erase(device);
    AlarmRecordPool::Instance()->Release(item->record);
    delete item;
}

void SoundAlarmManager::DropItems(const QSet<SpeechItem*>& items)
{
    for (SpeechItem* item : items)
        DropItem(item);
}

void SoundAlarmManager::DropItemsWhere(const std::function<bool(const AlarmRecord&)>& matches)
{
    // One pass; an item leaves the ordered queue in logarithmic time, after the walk has stepped past it.
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        SpeechItem* item = (it++)->second;
        if (matches(*item->record))
            DropItem(item);
    }
}

void SoundAlarmManager::DropDeviceItemsWhere(const QString& ip, const std::function<bool(const AlarmRecord&)>& matches)
{
    for (SpeechItem* item = FirstOfDevice(ip); item;) {
        SpeechItem* next = item->deviceNext;
        if (matches(*item->record))
            DropItem(item);
        item = next;
    }
}

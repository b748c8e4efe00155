#include "alarm/AlarmRecord.h"
#include "alarm/SoundAlarmManager.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "config/SystemConfigFile.h"

#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(AlarmRecord)

// What the recording voice was asked to say; a held utterance blocks the speech thread until released.
class Transcript
{
public:
    QStringList Texts() const
    {
        QMutexLocker l(&m_lock);
        return m_texts;
    }
    QStringList Voices() const
    {
        QMutexLocker l(&m_lock);
        return m_voices;
    }
    QList<qint64> Times() const
    {
        QMutexLocker l(&m_lock);
        return m_times;
    }
    bool Holding() const
    {
        QMutexLocker l(&m_lock);
        return m_holding;
    }
    void HoldNext()
    {
        QMutexLocker l(&m_lock);
        m_holdNext = true;
    }
    void Release()
    {
        QMutexLocker l(&m_lock);
        m_holding = false;
        m_released.wakeAll();
    }
    bool Stopped() const
    {
        QMutexLocker l(&m_lock);
        return m_stopped;
    }

    void Record(const QString& text, const QString& voice)
    {
        QMutexLocker l(&m_lock);
        m_texts.append(text);
        m_voices.append(voice);
        m_times.append(m_clock.elapsed());
        m_holding = m_holdNext && !m_stopped;
        m_holdNext = false;
        while (m_holding)
            m_released.wait(&m_lock);
    }
    void Stop()
    {
        QMutexLocker l(&m_lock);
        m_stopped = true;
        m_holding = false;
        m_released.wakeAll();
    }

private:
    mutable QMutex m_lock;
    QWaitCondition m_released;
    QStringList m_texts;
    QStringList m_voices;
    QList<qint64> m_times;
    bool m_holdNext = false;
    bool m_holding = false;
    bool m_stopped = false;
    QElapsedTimer m_clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
};

class RecordingVoice : public SpeechVoice
{
public:
    explicit RecordingVoice(std::shared_ptr<Transcript> transcript) : m_transcript(std::move(transcript)) {}
    void Say(const QString& text, const QString& voiceName) override { m_transcript->Record(text, voiceName); }
    void Stop() override { m_transcript->Stop(); }

private:
    std::shared_ptr<Transcript> m_transcript;
};

class TestSoundAlarmManager : public QObject
{
    Q_OBJECT

private slots:
    void composition_data();
    void composition();
    void duplicateAppendGivesOneItem();
    void endOfAlarm_data();
    void endOfAlarm();
    void connectionRecordRetiresDeviceItems();
    void shortTextCoversOnePortPerPass();
    void floodSaysOnlyTheWarning();
    void mutingCountsAndDeviceConfigUnmutes();
    void soundOffStillRetiresItems();
    void unsupportedManagerIsInert();
    void destructionEndsTheUtterance();

private:
    // Pacing: one "second" lasts PaceUnit ms, the repeat period is Period of them.
    static constexpr int PaceUnit = 20;
    static constexpr int Period = 5;

    std::unique_ptr<SoundAlarmManager> MakeManager(bool sayAlarmType = true, bool sayOutdated = true, int rate = 1);
    int QueueSize() const;

    std::shared_ptr<Transcript> m_transcript;
    std::unique_ptr<SoundAlarmManager> m_manager;
};

static const QString StudioA = QStringLiteral("10.0.0.1");
static const QString StudioB = QStringLiteral("10.0.0.2");

static AlarmRecord Record(const QString& ip, int portType, int portID, int trackID, int alarmType, int level,
                          const QString& deviceName = QStringLiteral("Studio A"))
{
    AlarmRecord record;
    record.Init(ip);
    record.deviceName = deviceName;
    record.portType = portType;
    record.portID = portID;
    record.trackID = trackID;
    record.alarmType = alarmType;
    record.level = level;
    return record;
}

static AlarmRecord Black(int level, int portID = 1)
{
    return Record(StudioA, PortTypeBnc, portID, -1, AlarmTypeVideoBlack, level);
}

static QString Rated(const QString& text, int rate = 1)
{
    return QStringLiteral("<RATE SPEED=\"%1\">%2</RATE>").arg(rate).arg(text);
}

// The built-in English words of the language file.
static LanguageConfigNode EnglishWords()
{
    LanguageConfigNode words;
    words.SetBlack("video black");
    words.SetFreeze("video freeze");
    words.SetVideoLost("video lost");
    words.SetSlience("slience");
    words.SetAudioOverload("audio overload");
    words.SetTooManyAlarm("too many alarm");
    words.SetDeviceConnectState("Device can't connect");
    words.SetWarn("warn");
    words.SetNormal("normal");
    words.SetTrack("track");
    words.SetAlarm("warning");
    words.SetVoice("en");
    return words;
}

static DeviceConfigFile Devices()
{
    DeviceConfigNode studioA(StudioA, "Studio A");
    PortConfigNode news;
    news.SetSignalName("News");
    studioA.SetBncPort(0, news);
    studioA.SetBncPort(1, PortConfigNode());
    DeviceConfigFile devices;
    devices.AddDevice(studioA);
    devices.AddDevice(DeviceConfigNode(StudioB, "Studio B"));
    return devices;
}

std::unique_ptr<SoundAlarmManager> TestSoundAlarmManager::MakeManager(bool sayAlarmType, bool sayOutdated, int rate)
{
    m_transcript = std::make_shared<Transcript>();
    auto transcript = m_transcript;
    auto manager = std::make_unique<SoundAlarmManager>(
        [transcript] { return std::make_unique<RecordingVoice>(transcript); }, true);
    SystemConfigFile settings;
    settings.SetSoundPeriod(Period);
    settings.SetSayAlarmType(sayAlarmType);
    settings.SetSayAlarmNormal(true);
    settings.SetSayOutdatedAlarm(sayOutdated);
    settings.SetSpeechRate(rate);
    manager->SetPaceUnit(PaceUnit);
    manager->SetSystemConfig(settings);
    manager->SetDeviceConfig(Devices());
    manager->SetVocabulary(EnglishWords());
    return manager;
}

int TestSoundAlarmManager::QueueSize() const
{
    QList<AlarmRecord> queued;
    m_manager->GetQueuedAlarms(queued);
    return queued.size();
}

void TestSoundAlarmManager::composition_data()
{
    QTest::addColumn<AlarmRecord>("record");
    QTest::addColumn<bool>("sayAlarmType");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("expected");

    const AlarmRecord silence = Record(StudioA, PortTypeBnc, 1, 2, AlarmTypeSilence, LevelWarn);
    QTest::newRow("silence on a track") << silence << true << 1 << Rated("Studio A,News,track2,sliencewarn");
    QTest::newRow("empty error word keeps its comma")
        << Black(LevelError) << true << 1 << Rated("Studio A,News,video black,");
    QTest::newRow("rate placed unchanged")
        << Black(LevelWarn) << true << -3 << Rated("Studio A,News,video black,warn", -3);
    QTest::newRow("port without signal name")
        << Black(LevelWarn, 2) << true << 1 << Rated("Studio A,BNC 2,video black,warn");
    QTest::newRow("port missing from configuration")
        << Black(LevelWarn, 9) << true << 1 << Rated("Studio A,BNC 9,video black,warn");
    QTest::newRow("short text") << Black(LevelWarn) << false << 1 << Rated("Studio A,News,warning");
    QTest::newRow("short text spares recoveries")
        << Black(LevelNormal) << false << 1 << Rated("Studio A,News,video black,normal");
    QTest::newRow("signal without device name")
        << Record(StudioA, PortTypeBnc, 1, -1, AlarmTypeVideoFreeze, LevelWarn, "") << true << 1
        << Rated("News,video freeze,warn");
    QTest::newRow("connection") << Record(StudioA, 0, -1, -1, AlarmTypeConnection, LevelError) << true << 1
                                << Rated("Studio A,Device can't connect");
    QTest::newRow("connection without device name") << Record(StudioA, 0, -1, -1, AlarmTypeConnection, LevelNormal, "")
                                                    << true << 1 << Rated("Device can't connect,normal");
    QTest::newRow("unknown alarm and level")
        << Record(StudioA, 0, -1, -1, AlarmTypeFan, 7) << true << 1 << Rated("Studio A,Unknown alarmUnknown level");
    QTest::newRow("unknown device without markup")
        << Record("10.9.9.9", PortTypeBnc, 1, -1, AlarmTypeVideoLost, LevelWarn) << true << 1 << "video lost,warn";
}

void TestSoundAlarmManager::composition()
{
    QFETCH(AlarmRecord, record);
    QFETCH(bool, sayAlarmType);
    QFETCH(int, rate);
    QFETCH(QString, expected);

    m_manager = MakeManager(sayAlarmType, true, rate);
    m_manager->AppendAlarm(&record);
    QTRY_VERIFY_WITH_TIMEOUT(!m_transcript->Texts().isEmpty(), 2000);
    QCOMPARE(m_transcript->Texts().first(), expected);
    QCOMPARE(m_transcript->Voices().first(), QString("en"));
}

void TestSoundAlarmManager::duplicateAppendGivesOneItem()
{
    m_manager = MakeManager();
    const AlarmRecord warn = Black(LevelWarn);
    const AlarmRecord error = Black(LevelError);
    m_manager->AppendAlarm(&warn);
    m_manager->AppendAlarm(&warn);
    m_manager->AppendAlarm(&error);
    QCOMPARE(QueueSize(), 1);
}

void TestSoundAlarmManager::endOfAlarm_data()
{
    QTest::addColumn<bool>("sayOutdated");
    QTest::addColumn<bool>("endBeforeSpoken");
    QTest::addColumn<QStringList>("said");

    const QString alarm = Rated("Studio A,News,video black,warn");
    const QString end = Rated("Studio A,News,video black,normal");
    QTest::newRow("before, outdated said") << true << true << QStringList{alarm, end};
    QTest::newRow("before, outdated dropped") << false << true << QStringList{end};
    QTest::newRow("after, outdated said") << true << false << QStringList{alarm, end};
    QTest::newRow("after, outdated dropped") << false << false << QStringList{alarm, end};
}

void TestSoundAlarmManager::endOfAlarm()
{
    QFETCH(bool, sayOutdated);
    QFETCH(bool, endBeforeSpoken);
    QFETCH(QStringList, said);

    m_manager = MakeManager(true, sayOutdated);
    const AlarmRecord blocker = Record(StudioB, 0, -1, -1, AlarmTypeConnection, LevelError);
    const AlarmRecord alarm = Black(LevelWarn);
    const AlarmRecord end = Black(LevelNormal);
    m_transcript->HoldNext();
    m_manager->AppendAlarm(&blocker);
    QTRY_VERIFY(m_transcript->Holding());
    m_manager->AppendAlarm(&alarm);
    m_manager->RemoveAlarm(blocker);
    if (endBeforeSpoken) {
        m_manager->AppendAlarm(&end);
        m_transcript->Release();
    } else {
        m_transcript->Release();
        QTRY_COMPARE(m_transcript->Texts().size(), 2);
        m_manager->AppendAlarm(&end);
        QCOMPARE(QueueSize(), 1);
    }
    QTRY_COMPARE(QueueSize(), 0);
    QTest::qWait(2 * Period * PaceUnit);
    QCOMPARE(m_transcript->Texts().mid(1), said);
}

void TestSoundAlarmManager::connectionRecordRetiresDeviceItems()
{
    m_manager = MakeManager();
    const AlarmRecord spoken = Black(LevelWarn);
    const AlarmRecord unspoken = Record(StudioA, PortTypeBnc, 1, 1, AlarmTypeAudioOverload, LevelWarn);
    const AlarmRecord other = Record(StudioB, PortTypeBnc, 1, -1, AlarmTypeVideoLost, LevelWarn, "Studio B");
    const AlarmRecord lost = Record(StudioA, 0, -1, -1, AlarmTypeConnection, LevelError);
    m_transcript->HoldNext();
    m_manager->AppendAlarm(&spoken);
    QTRY_VERIFY(m_transcript->Holding());
    m_manager->AppendAlarm(&unspoken);
    m_manager->AppendAlarm(&other);
    m_manager->AppendAlarm(&lost);

    QList<AlarmRecord> queued;
    m_manager->GetQueuedAlarms(queued);
    QCOMPARE(queued.size(), 3);
    QCOMPARE(queued.at(0).alarmType, int(AlarmTypeAudioOverload));
    m_transcript->Release();
    QTRY_COMPARE(QueueSize(), 2);
    QTRY_VERIFY(m_transcript->Texts().size() >= 4);
    QCOMPARE(m_transcript->Texts().at(1), Rated("Studio A,News,track1,audio overloadwarn"));
}

void TestSoundAlarmManager::shortTextCoversOnePortPerPass()
{
    m_manager = MakeManager(false);
    const AlarmRecord blocker = Record(StudioB, 0, -1, -1, AlarmTypeConnection, LevelError);
    const AlarmRecord black = Black(LevelWarn);
    const AlarmRecord freeze = Record(StudioA, PortTypeBnc, 1, -1, AlarmTypeVideoFreeze, LevelError);
    const AlarmRecord secondPort = Black(LevelWarn, 2);
    m_transcript->HoldNext();
    m_manager->AppendAlarm(&blocker);
    QTRY_VERIFY(m_transcript->Holding());
    for (const AlarmRecord* record : {&black, &freeze, &secondPort})
        m_manager->AppendAlarm(record);
    m_manager->RemoveAlarm(blocker);
    m_transcript->Release();

    QTRY_VERIFY_WITH_TIMEOUT(m_transcript->Texts().size() >= 5, 2000);
    const QString first = Rated("Studio A,News,warning");
    const QString second = Rated("Studio A,BNC 2,warning");
    QCOMPARE(m_transcript->Texts().mid(1, 4), (QStringList{first, second, first, second}));

    // The freeze counts as announced, so its end retires it at once.
    AlarmRecord freezeEnd = freeze;
    freezeEnd.level = LevelNormal;
    m_manager->AppendAlarm(&freezeEnd);
    QList<AlarmRecord> queued;
    m_manager->GetQueuedAlarms(queued);
    QVERIFY(std::none_of(queued.cbegin(), queued.cend(), [](const AlarmRecord& record) {
        return record.alarmType == AlarmTypeVideoFreeze && record.level != LevelNormal;
    }));
}

void TestSoundAlarmManager::floodSaysOnlyTheWarning()
{
    m_manager = MakeManager();
    const AlarmRecord blocker = Record(StudioB, 0, -1, -1, AlarmTypeConnection, LevelError);
    m_transcript->HoldNext();
    m_manager->AppendAlarm(&blocker);
    QTRY_VERIFY(m_transcript->Holding());
    QList<AlarmRecord> flood;
    for (int port = 1; port <= SoundAlarmManager::MaxSpokenQueue; ++port)
        flood.append(Record(StudioA, PortTypeAes, port, 1, AlarmTypeSilence, LevelWarn));
    for (const AlarmRecord& record : qAsConst(flood))
        m_manager->AppendAlarm(&record);
    m_transcript->Release();

    QTRY_VERIFY_WITH_TIMEOUT(m_transcript->Texts().size() >= 5, 2000);
    const QStringList texts = m_transcript->Texts();
    const QList<qint64> times = m_transcript->Times();
    for (int i = 1; i < 5; ++i) {
        QCOMPARE(texts.at(i), QString("too many alarm"));
        if (i > 1)
            QVERIFY(times.at(i) - times.at(i - 1) >= PaceUnit - 2);
    }

    m_manager->RemoveAlarm(blocker);
    QTRY_VERIFY_WITH_TIMEOUT(m_transcript->Texts().last().startsWith("<RATE"), 2000);
}

void TestSoundAlarmManager::mutingCountsAndDeviceConfigUnmutes()
{
    m_manager = MakeManager();
    const AlarmRecord alarm = Black(LevelWarn);
    m_manager->AppendAlarm(&alarm);
    m_manager->EnableDeviceSound(StudioA, false);
    QCOMPARE(QueueSize(), 0);
    m_manager->EnableDeviceSound(StudioA, false);
    m_manager->EnableDeviceSound(StudioA, true);
    m_manager->AppendAlarm(&alarm);
    QCOMPARE(QueueSize(), 0);
    m_manager->EnableDeviceSound(StudioA, true);
    m_manager->AppendAlarm(&alarm);
    QCOMPARE(QueueSize(), 1);

    m_manager->EnableDeviceSound(StudioA, false);
    m_manager->SetDeviceConfig(Devices());
    m_manager->AppendAlarm(&alarm);
    QCOMPARE(QueueSize(), 1);
}

void TestSoundAlarmManager::soundOffStillRetiresItems()
{
    m_manager = MakeManager();
    m_manager->SetSoundEnabled(false);
    const AlarmRecord alarm = Black(LevelWarn);
    const AlarmRecord end = Black(LevelNormal);
    const AlarmRecord freeze = Record(StudioA, PortTypeBnc, 2, -1, AlarmTypeVideoFreeze, LevelWarn);
    m_manager->AppendAlarm(&alarm);
    m_manager->AppendAlarm(&end);
    m_manager->AppendAlarm(&freeze);
    QTRY_COMPARE(QueueSize(), 1);
    QTest::qWait(2 * Period * PaceUnit);
    QCOMPARE(QueueSize(), 1);
    QVERIFY(m_transcript->Texts().isEmpty());
}

void TestSoundAlarmManager::unsupportedManagerIsInert()
{
    SoundAlarmManager manager([] { return std::unique_ptr<SpeechVoice>(); }, false);
    const AlarmRecord alarm = Black(LevelWarn);
    manager.AppendAlarm(&alarm);
    QList<AlarmRecord> queued;
    manager.GetQueuedAlarms(queued);
    QVERIFY(queued.isEmpty());
    QVERIFY(!manager.isRunning());
}

void TestSoundAlarmManager::destructionEndsTheUtterance()
{
    m_manager = MakeManager();
    const AlarmRecord alarm = Black(LevelWarn);
    m_transcript->HoldNext();
    m_manager->AppendAlarm(&alarm);
    QTRY_VERIFY(m_transcript->Holding());
    m_manager.reset();
    QVERIFY(m_transcript->Stopped());
}

QTEST_GUILESS_MAIN(TestSoundAlarmManager)
#include "TestSoundAlarmManager.moc"

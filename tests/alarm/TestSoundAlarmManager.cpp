#include "AlarmRecords.h"
#include "alarm/AlarmRecord.h"
#include "alarm/SoundAlarmManager.h"
#include "config/DeviceConfigNode.h"
#include "config/PortConfigNode.h"
#include "config/SystemConfigFile.h"

#include <QDomDocument>
#include <QSemaphore>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

Q_DECLARE_METATYPE(AlarmRecord)

// What the speech thread said. HoldNext makes the next utterance block the thread until Release (or the voice's
// Stop), so that a test can queue items while it knows what has been said.
class Transcript
{
public:
    QStringList Texts() const
    {
        QMutexLocker locker(&m_textsLock);
        return m_texts;
    }
    void HoldNext() { m_holdNext = true; }
    void Release() { m_gate.release(); }
    void Record(const QString& text)
    {
        {
            QMutexLocker locker(&m_textsLock);
            m_texts.append(text);
        }
        if (m_holdNext.exchange(false))
            m_gate.acquire();
    }

private:
    mutable QMutex m_textsLock;
    QStringList m_texts;
    std::atomic<bool> m_holdNext{false};
    QSemaphore m_gate;
};

class RecordingVoice : public SpeechVoice
{
public:
    explicit RecordingVoice(std::shared_ptr<Transcript> transcript) : m_transcript(std::move(transcript)) {}
    void Say(const QString& text, const QString&) override { m_transcript->Record(text); }
    void Stop() override { m_transcript->Release(); }

private:
    std::shared_ptr<Transcript> m_transcript;
};

class TestSoundAlarmManager : public QObject
{
    Q_OBJECT

private slots:
    void composition_data();
    void composition();
    void endOfAlarm_data();
    void endOfAlarm();
    void connectionRecordRetiresDeviceItems();
    void shortTextCoversOnePortPerPass();
    void floodSaysOnlyTheWarning();
    void duplicatesMutingCountsAndDeviceConfigUnmutes();
    void soundOffStillRetiresItems();
    void acknowledgedAndShelvedAlarmsLeaveTheQueue();
    void deviceLookupFollowsTheQueue();
    void destructionEndsTheUtterance();

private:
    // One "second" of the pacing lasts PaceUnit ms; the repeat period is Period of them.
    static constexpr int PaceUnit = 20;
    static constexpr int Period = 5;

    void MakeManager(bool sayAlarmType = true, bool sayOutdated = true);
    // Queues an alarm of another device and waits until the thread is held speaking it.
    AlarmRecord HoldOnBlocker();
    QList<AlarmRecord> Queued() const;

    std::shared_ptr<Transcript> m_transcript;
    std::unique_ptr<SoundAlarmManager> m_manager;
};

static const QString StudioA = QStringLiteral("10.0.0.1");
static const QString StudioB = QStringLiteral("10.0.0.2");

static AlarmRecord Record(int portType, int portID, int trackID, int alarmType, int level,
                          const QString& deviceName = "Studio A", const QString& ip = StudioA)
{
    AlarmRecord record = MakeAlarm(ip, portType, portID, trackID, alarmType, level);
    record.deviceName = deviceName;
    return record;
}

static AlarmRecord Black(int level, int bnc = 1)
{
    return Record(PortTypeBnc, bnc, -1, AlarmTypeVideoBlack, level);
}

static QString Rated(const QString& text)
{
    return QStringLiteral("<RATE SPEED=\"1\">%1</RATE>").arg(text);
}

static const QString Marker = Rated("Studio B,Device can't connectnormal");

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

void TestSoundAlarmManager::MakeManager(bool sayAlarmType, bool sayOutdated)
{
    m_manager.reset();
    auto transcript = m_transcript = std::make_shared<Transcript>();
    m_manager = std::make_unique<SoundAlarmManager>(
        [transcript] { return std::make_unique<RecordingVoice>(transcript); }, true);
    SystemConfigFile settings;
    settings.SetSoundPeriod(Period);
    settings.SetSayAlarmType(sayAlarmType);
    settings.SetSayAlarmNormal(true);
    settings.SetSayOutdatedAlarm(sayOutdated);
    // The built-in English words: those a language element without children stands for.
    QDomDocument document;
    document.setContent(QStringLiteral("<language/>"));
    LanguageConfigNode words;
    words.ReadFromXmlNode(document.documentElement());
    words.SetVoice("en");
    m_manager->SetPaceUnit(PaceUnit);
    m_manager->SetSystemConfig(settings);
    m_manager->SetDeviceConfig(Devices());
    m_manager->SetVocabulary(words);
}

AlarmRecord TestSoundAlarmManager::HoldOnBlocker()
{
    const AlarmRecord blocker = Record(0, -1, -1, AlarmTypeConnection, LevelError, "Studio B", StudioB);
    m_transcript->HoldNext();
    m_manager->AppendAlarm(&blocker);
    [&] { QTRY_COMPARE(m_transcript->Texts().size(), 1); }();
    return blocker;
}

QList<AlarmRecord> TestSoundAlarmManager::Queued() const
{
    QList<AlarmRecord> queued;
    m_manager->GetQueuedAlarms(queued);
    return queued;
}

void TestSoundAlarmManager::composition_data()
{
    QTest::addColumn<AlarmRecord>("record");
    QTest::addColumn<bool>("sayAlarmType");
    QTest::addColumn<QString>("expected");

    QTest::newRow("silence on a track") << Record(PortTypeBnc, 1, 2, AlarmTypeSilence, LevelWarn) << true
                                        << Rated("Studio A,News,track2,sliencewarn");
    QTest::newRow("port without signal name")
        << Black(LevelWarn, 2) << true << Rated("Studio A,BNC 2,video black,warn");
    QTest::newRow("port missing from configuration")
        << Black(LevelWarn, 9) << true << Rated("Studio A,BNC 9,video black,warn");
    QTest::newRow("short text") << Black(LevelWarn) << false << Rated("Studio A,News,warning");
    QTest::newRow("short text spares recoveries")
        << Black(LevelNormal) << false << Rated("Studio A,News,video black,normal");
    QTest::newRow("connection") << Record(0, -1, -1, AlarmTypeConnection, LevelNormal, "") << true
                                << Rated("Device can't connect,normal");
}

void TestSoundAlarmManager::composition()
{
    QFETCH(AlarmRecord, record);
    QFETCH(bool, sayAlarmType);
    QFETCH(QString, expected);

    MakeManager(sayAlarmType);
    m_manager->AppendAlarm(&record);
    QTRY_VERIFY(!m_transcript->Texts().isEmpty());
    QCOMPARE(m_transcript->Texts().first(), expected);
}

void TestSoundAlarmManager::endOfAlarm_data()
{
    QTest::addColumn<bool>("sayOutdated");
    QTest::addColumn<bool>("endBeforeSpoken");
    QTest::addColumn<QStringList>("said");

    const QString alarm = Rated("Studio A,News,video black,warn");
    const QString end = Rated("Studio A,News,video black,normal");
    QTest::newRow("before, outdated said") << true << true << QStringList{alarm, end, Marker};
    QTest::newRow("before, outdated dropped") << false << true << QStringList{end, Marker};
    QTest::newRow("after") << false << false << QStringList{alarm, end, Marker};
}

void TestSoundAlarmManager::endOfAlarm()
{
    QFETCH(bool, sayOutdated);
    QFETCH(bool, endBeforeSpoken);
    QFETCH(QStringList, said);

    MakeManager(true, sayOutdated);
    const AlarmRecord alarm = Black(LevelWarn);
    const AlarmRecord end = Black(LevelNormal);
    m_manager->RemoveAlarm(HoldOnBlocker());
    m_manager->AppendAlarm(&alarm);
    if (endBeforeSpoken) {
        m_manager->AppendAlarm(&end);
        m_transcript->Release();
    } else {
        m_transcript->Release();
        QTRY_COMPARE(m_transcript->Texts().size(), 2);
        m_manager->AppendAlarm(&end);
    }
    QTRY_VERIFY(Queued().isEmpty());
    // The end of another device's alarm, said once: whatever was queued before it has had its turn.
    const AlarmRecord marker = Record(0, -1, -1, AlarmTypeConnection, LevelNormal, "Studio B", StudioB);
    m_manager->AppendAlarm(&marker);
    QTRY_COMPARE(m_transcript->Texts().last(), Marker);
    QCOMPARE(m_transcript->Texts().mid(1), said);
}

void TestSoundAlarmManager::connectionRecordRetiresDeviceItems()
{
    MakeManager();
    const AlarmRecord spoken = Black(LevelWarn);
    const AlarmRecord unspoken = Record(PortTypeBnc, 1, 1, AlarmTypeAudioOverload, LevelWarn);
    const AlarmRecord lost = Record(0, -1, -1, AlarmTypeConnection, LevelError);
    m_transcript->HoldNext();
    m_manager->AppendAlarm(&spoken);
    QTRY_COMPARE(m_transcript->Texts().size(), 1);
    for (const AlarmRecord* record : {&unspoken, &lost})
        m_manager->AppendAlarm(record);
    QCOMPARE(Queued().size(), 2);

    m_transcript->Release();
    QTRY_COMPARE(Queued().size(), 1);
    QCOMPARE(Queued().first().alarmType, int(AlarmTypeConnection));
    QCOMPARE(m_transcript->Texts().at(1), Rated("Studio A,News,track1,audio overloadwarn"));
}

void TestSoundAlarmManager::shortTextCoversOnePortPerPass()
{
    MakeManager(false);
    const AlarmRecord black = Black(LevelWarn);
    const AlarmRecord freeze = Record(PortTypeBnc, 1, -1, AlarmTypeVideoFreeze, LevelError);
    const AlarmRecord secondPort = Black(LevelWarn, 2);
    m_manager->RemoveAlarm(HoldOnBlocker());
    for (const AlarmRecord* record : {&black, &freeze, &secondPort})
        m_manager->AppendAlarm(record);
    m_transcript->Release();

    QTRY_VERIFY(m_transcript->Texts().size() >= 5);
    const QString first = Rated("Studio A,News,warning");
    const QString second = Rated("Studio A,BNC 2,warning");
    QCOMPARE(m_transcript->Texts().mid(1, 4), (QStringList{first, second, first, second}));

    // The freeze counts as announced, so its end retires it at once.
    AlarmRecord freezeEnd = freeze;
    freezeEnd.level = LevelNormal;
    m_manager->AppendAlarm(&freezeEnd);
    for (const AlarmRecord& record : Queued())
        QVERIFY(record.alarmType != AlarmTypeVideoFreeze || record.level == LevelNormal);
}

void TestSoundAlarmManager::floodSaysOnlyTheWarning()
{
    MakeManager();
    const AlarmRecord blocker = HoldOnBlocker();
    for (int port = 1; port <= SoundAlarmManager::MaxSpokenQueue; ++port) {
        const AlarmRecord silence = Record(PortTypeAes, port, 1, AlarmTypeSilence, LevelWarn);
        m_manager->AppendAlarm(&silence);
    }
    m_transcript->Release();

    QTRY_VERIFY(m_transcript->Texts().size() >= 5);
    for (const QString& said : m_transcript->Texts().mid(1, 4))
        QCOMPARE(said, QString("too many alarm"));

    // Ends that come during the flood retire their alarms and leave unsaid with the next warning.
    const int ended = 10;
    for (int port = 1; port <= ended; ++port) {
        const AlarmRecord end = Record(PortTypeAes, port, 1, AlarmTypeSilence, LevelNormal);
        m_manager->AppendAlarm(&end);
    }
    QTRY_COMPARE(Queued().size(), 1 + SoundAlarmManager::MaxSpokenQueue - ended);
    m_manager->RemoveAlarm(blocker);
    QTRY_VERIFY(m_transcript->Texts().last().startsWith("<RATE"));
}

void TestSoundAlarmManager::duplicatesMutingCountsAndDeviceConfigUnmutes()
{
    MakeManager();
    // A second alarm of the same port and type, whatever its level, is no second item.
    const AlarmRecord alarm = Black(LevelWarn);
    const AlarmRecord error = Black(LevelError);
    for (const AlarmRecord* record : {&alarm, &alarm, &error})
        m_manager->AppendAlarm(record);
    QCOMPARE(Queued().size(), 1);
    m_manager->EnableDeviceSound(StudioA, false);
    QCOMPARE(Queued().size(), 0);
    m_manager->EnableDeviceSound(StudioA, false);
    m_manager->EnableDeviceSound(StudioA, true);
    m_manager->AppendAlarm(&alarm);
    QCOMPARE(Queued().size(), 0);
    m_manager->EnableDeviceSound(StudioA, true);
    m_manager->AppendAlarm(&alarm);
    QCOMPARE(Queued().size(), 1);

    m_manager->EnableDeviceSound(StudioA, false);
    m_manager->SetDeviceConfig(Devices());
    m_manager->AppendAlarm(&alarm);
    QCOMPARE(Queued().size(), 1);
}

// The operator has seen an alarm: it is not repeated, its repeated starts are not news, its end and a later start
// are. A shelved signal says nothing until it is unshelved.
void TestSoundAlarmManager::acknowledgedAndShelvedAlarmsLeaveTheQueue()
{
    MakeManager();
    HoldOnBlocker();
    const AlarmRecord black = Black(LevelError);
    const AlarmRecord freeze = Record(PortTypeBnc, 2, -1, AlarmTypeVideoFreeze, LevelWarn);
    const AlarmRecord end = Black(LevelNormal);
    const auto queued = [this] {
        QStringList items;
        for (const AlarmRecord& record : Queued())
            items << QString("%1/%2").arg(record.alarmType).arg(record.level);
        return items;
    };
    m_manager->AppendAlarm(&black);
    m_manager->AppendAlarm(&freeze);
    m_manager->SetAcknowledged({black}, true);
    m_manager->AppendAlarm(&black);
    QCOMPARE(queued(), (QStringList{"32/3", "2/2"}));
    m_manager->AppendAlarm(&end);
    m_manager->AppendAlarm(&black);
    QCOMPARE(queued(), (QStringList{"32/3", "2/2", "1/1", "1/3"}));

    m_manager->SetShelvedKeys({AlarmViewKey(freeze)});
    m_manager->AppendAlarm(&freeze);
    QCOMPARE(queued(), (QStringList{"32/3", "1/1", "1/3"}));
    m_manager->SetShelvedKeys({});
    m_manager->AppendAlarm(&freeze);
    QCOMPARE(queued().last(), QString("2/2"));
}

// The alarm and its end take their turns silently and leave; the freeze stays, and is heard once the sound is on:
// the thread speaks in order, so nothing earlier was said after it.
void TestSoundAlarmManager::soundOffStillRetiresItems()
{
    MakeManager();
    m_manager->SetSoundEnabled(false);
    const AlarmRecord alarm = Black(LevelWarn);
    const AlarmRecord end = Black(LevelNormal);
    const AlarmRecord freeze = Record(PortTypeBnc, 2, -1, AlarmTypeVideoFreeze, LevelWarn);
    for (const AlarmRecord* record : {&alarm, &end, &freeze})
        m_manager->AppendAlarm(record);
    QTRY_COMPARE(Queued().size(), 1);
    m_manager->SetSoundEnabled(true);
    QTRY_VERIFY(!m_transcript->Texts().isEmpty());
    QCOMPARE(m_transcript->Texts().first(), Rated("Studio A,BNC 2,video freeze,warn"));
    QCOMPARE(Queued().size(), 1);
}

// One device's queued alarms: in queue order, without other devices' and without those that left.
void TestSoundAlarmManager::deviceLookupFollowsTheQueue()
{
    MakeManager();
    const AlarmRecord silence = Record(PortTypeAes, 1, 1, AlarmTypeSilence, LevelWarn);
    const AlarmRecord black = Black(LevelWarn);
    const AlarmRecord other = Record(PortTypeBnc, 1, -1, AlarmTypeVideoFreeze, LevelWarn, "Studio B", StudioB);
    const AlarmRecord freeze = Record(PortTypeBnc, 2, -1, AlarmTypeVideoFreeze, LevelWarn);
    for (const AlarmRecord* record : {&silence, &black, &other, &freeze})
        m_manager->AppendAlarm(record);
    const auto queuedOf = [this](const QString& ip) {
        QList<AlarmRecord> queued;
        m_manager->GetQueuedAlarms(queued, ip);
        QStringList types;
        for (const AlarmRecord& record : queued)
            types << QString::number(record.alarmType);
        return types;
    };
    QCOMPARE(queuedOf(StudioA), (QStringList{"8", "1", "2"}));
    m_manager->RemoveAlarm(black);
    m_manager->RemoveVideoAlarms(StudioA, PortTypeBnc, 2);
    m_manager->AppendAlarm(&black);
    QCOMPARE(queuedOf(StudioA), (QStringList{"8", "1"}));
    m_manager->EnableDeviceSound(StudioA, false);
    m_manager->EnableDeviceSound(StudioA, true);
    m_manager->AppendAlarm(&freeze);
    QCOMPARE(queuedOf(StudioA), QStringList{"2"});
    QCOMPARE(queuedOf(StudioB), QStringList{"2"});
}

void TestSoundAlarmManager::destructionEndsTheUtterance()
{
    MakeManager();
    HoldOnBlocker();
    // Frees a destructor stuck behind the held utterance, so that the fault fails here instead of hanging.
    QSemaphore destroyed;
    std::atomic<bool> rescued{false};
    std::thread watchdog([&] {
        if (!destroyed.tryAcquire(1, 5000)) {
            rescued = true;
            m_transcript->Release();
        }
    });
    m_manager.reset();
    destroyed.release();
    watchdog.join();
    QVERIFY2(!rescued, "the destructor waited for the utterance to end");
}

QTEST_GUILESS_MAIN(TestSoundAlarmManager)
#include "TestSoundAlarmManager.moc"

#include "BuildPath.h"
#include "alarm/Speak.h"
#include "config/LanguageConfigFile.h"
#include "config/LanguageConfigNode.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>

// Drives the real espeak-ng engine; the audio is rendered into memory, so no sound device is needed.
class TestSpeak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void durations_data();
    void durations();
    void traditionalCharactersAreRead();
    void shippedLanguagesHaveTheirVoices();
    void sayKeepsThePaceOfItsAudioUntilStopped();
};

// The engine varies its timing slightly from one utterance to the next.
static constexpr double Same = 1.0;
static constexpr double Tolerance = 0.03;

static const QString Phrase = QStringLiteral("Studio A,News,video black,warn");

static QString AtRate(const QString& rate, const QString& text)
{
    return QStringLiteral("<RATE SPEED=\"%1\">%2</RATE>").arg(rate, text);
}

void TestSpeak::initTestCase()
{
    QVERIFY(Speak::IsAvailable() && Speak::SampleRate() > 0);
}

void TestSpeak::durations_data()
{
    QTest::addColumn<QString>("shorter");
    QTest::addColumn<QString>("longer");
    QTest::addColumn<double>("minRatio");
    QTest::addColumn<double>("maxRatio");

    QTest::newRow("longer text") << "video black" << Phrase << 1.5 << 100.0;
    QTest::newRow("rate 10 about three times normal") << AtRate("10", Phrase) << Phrase << 2.0 << 4.0;
    QTest::newRow("rate -10 about a third of normal") << Phrase << AtRate("-10", Phrase) << 2.0 << 4.0;
    QTest::newRow("markup is not spoken") << AtRate("1", Phrase) << AtRate("1", Phrase + "</RATE>") << Same << Same;
    QTest::newRow("above 10 is clamped") << AtRate("50", Phrase) << AtRate("10", Phrase) << Same << Same;
    QTest::newRow("below -10 is clamped") << AtRate("-10", Phrase) << AtRate("-99", Phrase) << Same << Same;
    QTest::newRow("overlong number is clamped")
        << AtRate("99999999999999999999999", Phrase) << AtRate("10", Phrase) << Same << Same;
    QTest::newRow("nested rate applies inside only")
        << AtRate("10", "video black," + AtRate("-10", "error")) << AtRate("-10", "video black,error") << 1.2 << 4.0;
}

void TestSpeak::durations()
{
    QFETCH(QString, shorter);
    QFETCH(QString, longer);
    QFETCH(double, minRatio);
    QFETCH(double, maxRatio);

    Speak speak;
    const int shortSamples = speak.Synthesize(shorter, QString()).size();
    const int longSamples = speak.Synthesize(longer, QString()).size();
    QVERIFY(shortSamples > 0);
    const double ratio = double(longSamples) / shortSamples;
    QVERIFY2(ratio >= minRatio - Tolerance && ratio <= maxRatio + Tolerance, qPrintable(QString::number(ratio)));
}

// A voice that knows the Traditional forms reads them like their Simplified twins, which it is known to read.
void TestSpeak::traditionalCharactersAreRead()
{
    const QString voice = "yue";
    Speak speak;
    const int simplified = speak.Synthesize(QStringLiteral("视频丢失,静音,错误,设备无法连接"), voice).size();
    const int traditional = speak.Synthesize(QStringLiteral("視頻丟失,靜音,錯誤,設備無法連接"), voice).size();
    QVERIFY(simplified > 0);
    QVERIFY2(qAbs(traditional - simplified) <= simplified * Tolerance,
             qPrintable(QString("%1 against %2").arg(traditional).arg(simplified)));
}

// A voice name the engine does not know falls back to English, which for a shipped language would go unnoticed.
void TestSpeak::shippedLanguagesHaveTheirVoices()
{
    LanguageConfigFile languages;
    QVERIFY2(languages.Load(BuildPath("lang/lang_config.xml")), qPrintable(languages.GetErrorString()));
    QVERIFY(!languages.Languages().isEmpty());
    Speak speak;
    for (const LanguageConfigNode* language : languages.Languages()) {
        const QStringList words{language->black(),   language->freeze(), language->video_lost(),
                                language->slience(), language->warn(),   language->error(),
                                language->normal(),  language->track(),  language->too_many_alarm()};
        QVERIFY(!speak.Synthesize(words.join(','), language->voice()).isEmpty());
        const bool english = language->voice().isEmpty() || language->voice() == "en";
        QVERIFY2(speak.LastVoiceName().startsWith("English") == english,
                 qPrintable(language->name() + ": " + speak.LastVoiceName()));
    }
    QVERIFY(!speak.Synthesize("video lost", "xx-no-such-voice").isEmpty());
    QVERIFY2(speak.LastVoiceName().startsWith("English"), qPrintable(speak.LastVoiceName()));
}

static qint64 AudioMs(Speak& speak, const QString& text)
{
    return qint64(speak.Synthesize(text, "en").size()) * 1000 / Speak::SampleRate();
}

// Say lasts as long as its audio: played where the machine has a sound device, waited out silently elsewhere. A
// quiet voice speaks a long text meanwhile on another thread; Stop cuts it short and silences every later Say.
void TestSpeak::sayKeepsThePaceOfItsAudioUntilStopped()
{
    Speak quiet(false);
    Speak aloud;
    const QString longText = AtRate("-10", Phrase + "," + Phrase + "," + Phrase);
    const QString text = AtRate("5", Phrase);
    const qint64 longMs = AudioMs(quiet, longText);
    const qint64 audioMs = AudioMs(aloud, text);
    QVERIFY(audioMs > 100 && audioMs < longMs / 2);

    std::atomic<qint64> stoppedAfterMs{-1};
    std::unique_ptr<QThread> speaker(QThread::create([&] {
        QElapsedTimer timer;
        timer.start();
        quiet.Say(longText, "en");
        stoppedAfterMs = timer.elapsed();
    }));
    speaker->start();
    QElapsedTimer timer;
    timer.start();
    aloud.Say(text, "en");
    const qint64 saidMs = timer.elapsed();
    const bool quietStillSpeaking = stoppedAfterMs == -1;
    quiet.Stop();
    speaker->wait();

    QVERIFY2(saidMs >= audioMs - 20, qPrintable(QString("%1 < %2").arg(saidMs).arg(audioMs)));
    QVERIFY(quietStillSpeaking);
    QVERIFY2(stoppedAfterMs < longMs, qPrintable(QString("%1 of %2").arg(stoppedAfterMs).arg(longMs)));
    timer.restart();
    quiet.Say(longText, "en");
    QVERIFY2(timer.elapsed() < longMs, qPrintable(QString("%1 of %2").arg(timer.elapsed()).arg(longMs)));
}

QTEST_GUILESS_MAIN(TestSpeak)
#include "TestSpeak.moc"

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
    void voiceFollowsLanguage_data();
    void voiceFollowsLanguage();
    void traditionalCharactersAreRead();
    void shippedLanguagesHaveTheirVoices();
    void sayLastsAsLongAsItsAudio();
    void stopCutsSayShort();
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
    QTest::newRow("rate 0 is the normal rate") << AtRate("0", Phrase) << Phrase << Same << Same;
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

void TestSpeak::voiceFollowsLanguage_data()
{
    QTest::addColumn<QString>("voice");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("voiceNamePart");

    QTest::newRow("no voice named") << "" << "video lost" << "English";
    QTest::newRow("unknown voice falls back") << "xx-no-such-voice" << "video lost" << "English";
    QTest::newRow("Mandarin") << "cmn" << QStringLiteral("视频丢失,错误") << "Mandarin";
    QTest::newRow("Cantonese") << "yue" << QStringLiteral("視頻丟失,錯誤") << "Cantonese";
}

void TestSpeak::voiceFollowsLanguage()
{
    QFETCH(QString, voice);
    QFETCH(QString, text);
    QFETCH(QString, voiceNamePart);

    Speak speak;
    QVERIFY(!speak.Synthesize(text, voice).isEmpty());
    QVERIFY2(speak.LastVoiceName().contains(voiceNamePart), qPrintable(speak.LastVoiceName()));
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

// A voice name the engine does not know would silently fall back to English.
void TestSpeak::shippedLanguagesHaveTheirVoices()
{
    LanguageConfigFile languages;
    QVERIFY2(languages.Load(qEnvironmentVariable("VZ_BUILD_DIR") + "/lang/lang_config.xml"),
             qPrintable(languages.GetErrorString()));
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
}

// Plays aloud where the machine has a sound device; elsewhere this is the path that keeps the pace silently.
void TestSpeak::sayLastsAsLongAsItsAudio()
{
    Speak speak;
    const QString text = AtRate("5", Phrase);
    const qint64 audioMs = qint64(speak.Synthesize(text, "en").size()) * 1000 / Speak::SampleRate();
    QVERIFY(audioMs > 100);

    QElapsedTimer timer;
    timer.start();
    speak.Say(text, "en");
    QVERIFY2(timer.elapsed() >= audioMs - 20, qPrintable(QString("%1 < %2").arg(timer.elapsed()).arg(audioMs)));
}

void TestSpeak::stopCutsSayShort()
{
    Speak speak(false);
    const QString text = AtRate("-10", Phrase + "," + Phrase + "," + Phrase);
    std::atomic<bool> finished{false};
    std::unique_ptr<QThread> speaker(QThread::create([&] {
        speak.Say(text, "en");
        finished = true;
    }));
    speaker->start();
    QTest::qWait(200);
    QVERIFY(!finished);
    speak.Stop();
    QTRY_VERIFY_WITH_TIMEOUT(finished, 2000);
    speaker->wait();

    QElapsedTimer timer;
    timer.start();
    speak.Say(Phrase, "en");
    QVERIFY(timer.elapsed() < 200);
}

QTEST_GUILESS_MAIN(TestSpeak)
#include "TestSpeak.moc"

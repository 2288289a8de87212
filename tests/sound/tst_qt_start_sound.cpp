#include "qt_start_sound.h"

#include <QElapsedTimer>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

class TestQtStartSound : public QObject
{
    Q_OBJECT

private slots:
    void missingFileBeepsInstead();
    void soundFileLivesBesideTheProgram();
    void playingReturnsAtOnce();
    void oneStreamServesEveryStart();
};

void TestQtStartSound::missingFileBeepsInstead()
{
    QTemporaryDir dir;
    int beeps = 0;
    QtStartSound sound(dir.filePath(QStringLiteral("start.wav")), [&] { ++beeps; });
    sound.play();
    sound.play();
    QCOMPARE(beeps, 2);
}

void TestQtStartSound::soundFileLivesBesideTheProgram()
{
    QCOMPARE(QtStartSound::defaultPath(),
             QCoreApplication::applicationDirPath() + QStringLiteral("/start.wav"));
}

void TestQtStartSound::playingReturnsAtOnce()
{
    // The real sound where there may be no audio device: either it plays in
    // the background or the beep stands in, and play() never waits for it.
    int beeps = 0;
    QtStartSound sound(QStringLiteral(ZANTO_START_WAV), [&] { ++beeps; });
    QElapsedTimer clock;
    clock.start();
    sound.play();
    QVERIFY(clock.elapsed() < 200);
    QVERIFY(beeps <= 1);
}

void TestQtStartSound::oneStreamServesEveryStart()
{
    if (QMediaDevices::defaultAudioOutput().isNull())
        QSKIP("no sound server here");
    int beeps = 0;
    QtStartSound sound(QStringLiteral(ZANTO_START_WAV), [&] { ++beeps; });
    sound.prepare();
    QVERIFY(sound.isStreamOpen());
    sound.play();
    QTest::qWait(100);
    sound.play();
    QVERIFY(sound.isStreamOpen());
    QCOMPARE(beeps, 0);
}

QTEST_MAIN(TestQtStartSound)
#include "tst_qt_start_sound.moc"

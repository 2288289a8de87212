#include "qt_start_sound.h"

#include <QElapsedTimer>
#include <QFile>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestQtStartSound : public QObject
{
    Q_OBJECT

private slots:
    void missingFileBeepsInstead();
    void soundFileLivesBesideTheProgram();
    void playingReturnsAtOnce();
    void oneStreamServesEveryStart();
    void aBrokenStreamIsOpenedAnewAtTheNextStart_data();
    void aBrokenStreamIsOpenedAnewAtTheNextStart();
    void whatIsNoPlainSmallFileBeepsInstead_data();
    void whatIsNoPlainSmallFileBeepsInstead();
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

void TestQtStartSound::aBrokenStreamIsOpenedAnewAtTheNextStart_data()
{
    QTest::addColumn<QAudio::State>("state");
    QTest::addColumn<QAudio::Error>("error");
    QTest::addColumn<bool>("sameOutput");
    QTest::addColumn<bool>("reopened");
    QTest::newRow("paused between starts") << QAudio::SuspendedState << QAudio::NoError << true << false;
    QTest::newRow("ran dry") << QAudio::IdleState << QAudio::NoError << true << false;
    QTest::newRow("playing") << QAudio::ActiveState << QAudio::NoError << true << false;
    // A restarted server: the old stream was once kept, silent all evening.
    QTest::newRow("stopped by a server that went away") << QAudio::StoppedState << QAudio::NoError << true << true;
    QTest::newRow("failed") << QAudio::SuspendedState << QAudio::FatalError << true << true;
    QTest::newRow("the output moved") << QAudio::SuspendedState << QAudio::NoError << false << true;
}

void TestQtStartSound::aBrokenStreamIsOpenedAnewAtTheNextStart()
{
    QFETCH(QAudio::State, state);
    QFETCH(QAudio::Error, error);
    QFETCH(bool, sameOutput);
    QFETCH(bool, reopened);
    QCOMPARE(QtStartSound::needsNewStream(state, error, sameOutput), reopened);
    // A stream that played nothing of a start is given up as well.
    QVERIFY(QtStartSound::hasStalled(5000, 5000));
    QVERIFY(!QtStartSound::hasStalled(5000, 5001));
}

void TestQtStartSound::whatIsNoPlainSmallFileBeepsInstead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a pipe") << u"fifo"_qs;
    QTest::newRow("a link to /dev/zero") << u"device"_qs;
    QTest::newRow("a sound of more than 10 MiB") << u"large"_qs;
}

void TestQtStartSound::whatIsNoPlainSmallFileBeepsInstead()
{
#ifndef Q_OS_UNIX
    QSKIP("pipes and device links where a file should be are a Unix matter");
#else
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"start.wav"_qs);
    if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == u"device") {
        QVERIFY(QFile::link(u"/dev/zero"_qs, path));
    } else {
        QFile start(QStringLiteral(ZANTO_START_WAV));
        QVERIFY(start.open(QIODevice::ReadOnly));
        QByteArray wave = start.readAll();
        QFile large(path);
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.write(wave) == wave.size());
        QVERIFY(large.resize(10 * 1024 * 1024 + 1)); // a data chunk of silence after it
    }
    int beeps = 0;
    QtStartSound sound(path, [&] { ++beeps; });
    QElapsedTimer clock;
    clock.start();
    // Once a pipe froze the start and /dev/zero filled the memory.
    sound.play();
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(beeps, 1);
    QVERIFY(!sound.hasSound());
    QVERIFY(!sound.isStreamOpen());
    // The sound itself is one.
    QtStartSound real(QStringLiteral(ZANTO_START_WAV), [] {});
    real.prepare();
    QVERIFY(real.hasSound());
#endif
}

QTEST_MAIN(TestQtStartSound)
#include "tst_qt_start_sound.moc"

#include "qt_start_sound.h"

#include <QTemporaryDir>
#include <QTest>

class TestQtStartSound : public QObject
{
    Q_OBJECT

private slots:
    void missingFileBeepsInstead();
    void soundFileLivesBesideTheProgram();
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

QTEST_MAIN(TestQtStartSound)
#include "tst_qt_start_sound.moc"

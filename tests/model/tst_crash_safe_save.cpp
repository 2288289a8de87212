#include "save_helper_content.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <signal.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The seed comes from ZANTO_SEED when set, so a failing run can be repeated.
quint32 testSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("ZANTO_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::system()->generate();
}

} // namespace

class TestCrashSafeSave : public QObject
{
    Q_OBJECT

private slots:
    void aSaveKilledAtAnyMomentLeavesTheOldOrTheNewGameWhole();

private:
    QTemporaryDir m_dir;
};

void TestCrashSafeSave::aSaveKilledAtAnyMomentLeavesTheOldOrTheNewGameWhole()
{
    QVERIFY(m_dir.isValid());
    const QString game = QStringLiteral("결승 game.scr");
    const QString temporary = u'.' + game + QStringLiteral(".zanto-save");
    const QString path = m_dir.filePath(game);
    const auto entries = [this] {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                            | QDir::NoDotAndDotDot);
    };
    int leftTemporary = 0;
    const QByteArray contents[2] = {saveLoopContent(0), saveLoopContent(1)};
    QVERIFY(contents[0].size() > 20000 && contents[1].size() > 10000);

    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    const QString context = QStringLiteral("seed %1 (set ZANTO_SEED to repeat)").arg(seed);
    const int kills = 150;
    int sawOld = 0;
    int sawNew = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess saver;
        saver.start(QStringLiteral(SAVE_HELPER), {QStringLiteral("loop"), path});
        QVERIFY2(saver.waitForStarted(), qPrintable(context));
        QVERIFY2(saver.waitForReadyRead(10000), qPrintable(context + u' ' + saver.readAllStandardError()));
        // Somewhere inside one of the next few saves.
        QThread::usleep(random.bounded(20000));
        ::kill(pid_t(saver.processId()), SIGKILL);
        QVERIFY(saver.waitForFinished(10000));
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

        const QByteArray now = readAll(path);
        const QString where = context + QStringLiteral(", kill %1 of %2").arg(kill + 1).arg(kills);
        QVERIFY2(now == contents[0] || now == contents[1],
                 qPrintable(where + QStringLiteral(": the game holds %1 bytes").arg(now.size())));
        ++(now == contents[0] ? sawOld : sawNew);
        // A kill inside a save may leave that save's temporary file, and only that one.
        QStringList left = entries();
        if (left.removeOne(temporary))
            ++leftTemporary;
        QVERIFY2(left == QStringList{game},
                 qPrintable(where + QStringLiteral(": the folder holds ") + entries().join(u", ")));
    }
    qInfo("%d kills: %d left the first game, %d the second, %d a temporary file; %s", kills,
          sawOld, sawNew, leftTemporary, qPrintable(context));
    QVERIFY2(sawOld > 0 && sawNew > 0, "the kills fell at different points of the loop");

    // The next save clears what the last kill left.
    QVERIFY(writeScoreFile(path, contents[0]));
    QCOMPARE(entries(), QStringList{game});
    QCOMPARE(readAll(path), contents[0]);
}

QTEST_GUILESS_MAIN(TestCrashSafeSave)
#include "tst_crash_safe_save.moc"

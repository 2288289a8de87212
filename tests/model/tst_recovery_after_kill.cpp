// Copies of the game in processes of their own, killed as a crash or a
// pulled plug would end them (SIGKILL; TerminateProcess on Windows).
#include "game_engine.h"
#include "recovery_evening.h"
#include "recovery_store.h"
#include "test_files.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

// A helper process; stopped by a kill when the test leaves.
struct Helper
{
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();

    bool start(const QStringList &arguments)
    {
        process->start(QStringLiteral(RECOVERY_HELPER), arguments);
        return process->waitForStarted();
    }
    QString firstLine()
    {
        while (!process->canReadLine() && process->waitForReadyRead(10000)) {
        }
        return QString::fromUtf8(process->readLine()).trimmed();
    }
    bool kill()
    {
        process->kill();
        return process->waitForFinished(10000) && process->exitStatus() == QProcess::CrashExit;
    }
    ~Helper()
    {
        if (process->state() != QProcess::NotRunning)
            kill();
    }
};

} // namespace

class TestRecoveryAfterKill : public QObject
{
    Q_OBJECT

private slots:
    void aCopyKilledAtAnyMomentLeavesAGameItCommitted();
    void aLiveCopysSlotIsNeverTakenAndADeadCopysIsTakenWithItsGame();
};

void TestRecoveryAfterKill::aCopyKilledAtAnyMomentLeavesAGameItCommitted()
{
    QTemporaryDir dir;
    const quint32 seed = TestFiles::testSeed(1950);
    const TestFiles::SeedReport report(seed);
    QRandomGenerator random(seed);
    const QString context = u"seed %1 (set ZANTO_SEED to repeat)"_qs.arg(seed);
    QList<RecoveredGame> evening = eveningGames(50);
    const int kills = 25;
    int sawLastPrinted = 0;
    int sawTheOneBeingWritten = 0;
    int furthest = 0;
    for (int kill = 1; kill <= kills; ++kill) {
        const QString where = context + u", kill %1 of %2"_qs.arg(kill).arg(kills);
        Helper helper;
        QVERIFY2(helper.start({u"evening"_qs, dir.path()}), qPrintable(where));
        QVERIFY2(helper.firstLine() == u"0", qPrintable(where + u' ' + helper.process->readAllStandardError()));
        // Somewhere in the next dozen steps: inside a race, a write, a print.
        QThread::usleep(random.bounded(250000));
        QVERIFY2(helper.kill(), qPrintable(where));

        const QList<QByteArray> lines = helper.process->readAllStandardOutput().split('\n');
        // The last line is cut short or empty; the one before it is the
        // last step the helper knew to be written.
        const int printed = lines.size() >= 2 ? lines.at(lines.size() - 2).toInt() : 0;
        furthest = std::max(furthest, printed);
        while (evening.size() <= printed + 1)
            evening = eveningGames(int(evening.size()) * 2);

        RecoveryStore store(dir.path());
        QVERIFY2(store.claimSlot(), qPrintable(where));
        const auto left = store.read();
        QVERIFY2(left, qPrintable(where + u": no whole recovery file after step %1"_qs.arg(printed)));
        GameEngine engine;
        engine.restoreGame(left->standings, left->savedGame);
        const RecoveredGame recovered{engine.standings(), engine.savedGame()};
        if (recovered == evening.at(printed)) {
            ++sawLastPrinted;
        } else {
            QVERIFY2(recovered == evening.at(printed + 1),
                     qPrintable(where + u": the recovered game is neither step %1 nor the next"_qs.arg(printed)));
            ++sawTheOneBeingWritten;
        }
    }
    qInfo("%s: %d recoveries of the last step printed, %d of the step being written, up to step %d",
          qPrintable(context), sawLastPrinted, sawTheOneBeingWritten, furthest);
}

void TestRecoveryAfterKill::aLiveCopysSlotIsNeverTakenAndADeadCopysIsTakenWithItsGame()
{
    QTemporaryDir dir;
    Helper first;
    Helper second;
    QVERIFY(first.start({u"hold"_qs, dir.path(), u"첫째"_qs}));
    const QString firstFile = first.firstLine();
    QVERIFY(second.start({u"hold"_qs, dir.path(), u"둘째"_qs}));
    const QString secondFile = second.firstLine();
    QVERIFY(!firstFile.isEmpty() && !secondFile.isEmpty() && firstFile != secondFile);
    const QByteArray secondGame = TestFiles::readAll(secondFile);

    {
        RecoveryStore third(dir.path());
        QVERIFY(third.claimSlot());
        QVERIFY(third.filePath() != firstFile && third.filePath() != secondFile);
        QVERIFY(!third.read());
    }
    QVERIFY(first.kill());
    RecoveryStore next(dir.path());
    QVERIFY(next.claimSlot());
    QCOMPARE(next.filePath(), firstFile);
    QCOMPARE(next.read()->standings.teams, (QList<TeamStanding>{{u"첫째"_qs, 7}}));
    QCOMPARE(TestFiles::readAll(secondFile), secondGame);
}

QTEST_GUILESS_MAIN(TestRecoveryAfterKill)
#include "tst_recovery_after_kill.moc"

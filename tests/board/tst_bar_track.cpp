// The bars in pixels: a track following a game engine as the board does,
// through redraws, a race tick by tick and the frames between the ticks.
#include "bar_track.h"
#include "game_engine.h"
#include "game_setup.h"

#include <QTest>

#include <algorithm>

namespace {

// An engine with a track wired to it the way the board wires its own.
struct Track
{
    GameEngine engine;
    BarTrack bars;

    explicit Track(const QList<int> &scores, int boardWidth = 1024)
    {
        QObject::connect(&engine, &GameEngine::barsReset, [this] { bars.showCommittedScores(engine); });
        QObject::connect(&engine, &GameEngine::raceTicked, [this] { bars.followRace(engine); });
        setUpGame(engine, numberedTeams(scores));
        bars.setBoardWidth(boardWidth);
        bars.showCommittedScores(engine);
    }

    void tick(int count = 1)
    {
        for (int t = 0; t < count; ++t)
            engine.raceTick();
    }
};

} // namespace

class TestBarTrack : public QObject
{
    Q_OBJECT

private slots:
    void aRaisedMaximumRedrawsAtTheNewScale();
    void aRaceGrowsTheBarsAndEndsOnTheCommittedLength();
    void anUndoDrawsTheRestoredLengthsAtOnce();
    void framesBetweenTicksLieBetweenTheTickLengths_data();
    void framesBetweenTicksLieBetweenTheTickLengths();
};

void TestBarTrack::aRaisedMaximumRedrawsAtTheNewScale()
{
    Track t({450, 300});
    QCOMPARE(t.engine.enterPoints(0, QStringLiteral("49")), GameEngine::PointsEntry::Added);
    QCOMPARE(t.engine.enterPoints(0, QStringLiteral("1")), GameEngine::PointsEntry::AddedRaisingMax);
    QCOMPARE(t.bars.scale(), 1.44); // the maximum rises only when the race starts
    t.engine.startRace();
    QCOMPARE(t.bars.scale(), 1.2);
    QCOMPARE(t.bars.length(0), 540.0f); // the committed 450, not the pending total
}

void TestBarTrack::aRaceGrowsTheBarsAndEndsOnTheCommittedLength()
{
    Track t({100, 200, 0});
    t.engine.enterPoints(0, QStringLiteral("30"));
    t.engine.enterPoints(1, QStringLiteral("150"));
    t.engine.startRace();
    t.tick(GameEngine::RaceTicks);
    QVERIFY(t.engine.isRacing());
    QVERIFY(qAbs(t.bars.length(1) - 504.0f) < 0.01f);
    t.tick(); // the tick after the last commits
    QVERIFY(!t.engine.isRacing());
    QCOMPARE(t.bars.length(1), 504.0f); // exactly the committed length
}

void TestBarTrack::anUndoDrawsTheRestoredLengthsAtOnce()
{
    Track t({0, 0});
    t.engine.enterPoints(0, QStringLiteral("100"));
    t.engine.startRace();
    t.tick(GameEngine::RaceTicks + 1);
    QCOMPARE(t.bars.length(0), 144.0f);
    QVERIFY(t.engine.undo());
    QCOMPARE(t.bars.length(0), 0.0f);
}

void TestBarTrack::framesBetweenTicksLieBetweenTheTickLengths_data()
{
    QTest::addColumn<qint32>("score");
    QTest::addColumn<QString>("points");
    QTest::newRow("growing") << 100 << QStringLiteral("300");
    QTest::newRow("shrinking") << 300 << QStringLiteral("-200");
    QTest::newRow("crossing zero") << -60 << QStringLiteral("150");
    QTest::newRow("below zero") << -60 << QStringLiteral("20");
}

void TestBarTrack::framesBetweenTicksLieBetweenTheTickLengths()
{
    QFETCH(qint32, score);
    QFETCH(QString, points);
    Track t({score}, 3840);
    QCOMPARE(t.bars.length(0), std::max(0.0f, float(score * (3840 - 304) / 500.0)));
    t.engine.enterPoints(0, points);
    t.engine.startRace();
    float previous = t.bars.length(0);
    for (int n = 0; n < GameEngine::RaceTicks; ++n) {
        const float between = t.bars.lengthAhead(t.engine, 0, 0.5);
        t.tick();
        const float next = t.bars.length(0);
        QVERIFY(between >= std::min(previous, next) - 1e-3f);
        QVERIFY(between <= std::max(previous, next) + 1e-3f);
        QVERIFY(next >= 0.0f);
        previous = next;
    }
    // The last frame before the commit is the committed length.
    const float last = t.bars.lengthAhead(t.engine, 0, 1.0);
    t.tick();
    QVERIFY(!t.engine.isRacing());
    QCOMPARE(last, t.bars.length(0));
    QCOMPARE(t.bars.length(0), std::max(0.0f, float(t.engine.score(0) * t.bars.scale())));
}

QTEST_GUILESS_MAIN(TestBarTrack)
#include "tst_bar_track.moc"

#include "game_state.h"

#include <QTest>

class TestGameState : public QObject
{
    Q_OBJECT

private slots:
    void everythingStartsAtZeroOrEmpty();
    void slotsOutsideTheArraysAreIgnored();
    void slotsBeyondTheTeamCountKeepWhatTheyHeld();
    void pendingPointsOrChangedStandingsAreUnsaved();
};

void TestGameState::everythingStartsAtZeroOrEmpty()
{
    const Module1 state;
    QCOMPARE(state.Team_Count, 0);
    QCOMPARE(state.Max_Score, 0);
    QVERIFY(state.Game_Name.isEmpty());
    QVERIFY(!state.Use_Monitor);
    for (int i = 0; i < Module1::Slot_Count; ++i) {
        QCOMPARE(state.Team_Score.value(i), 0);
        QCOMPARE(state.Add_Score.value(i), 0);
        QVERIFY(state.Team_Name.value(i).isEmpty());
    }
}

void TestGameState::slotsOutsideTheArraysAreIgnored()
{
    Module1 state;
    QVERIFY(state.Team_Score.set(10, 7));
    QVERIFY(!state.Team_Score.set(11, 7));
    QVERIFY(!state.Team_Score.set(-1, 7));
    QVERIFY(!state.Team_Score.at(11));
    QCOMPARE(state.Team_Score.at(10), std::optional<qint32>(7));
    QCOMPARE(state.Team_Name.value(11, QStringLiteral("none")), QStringLiteral("none"));
}

void TestGameState::slotsBeyondTheTeamCountKeepWhatTheyHeld()
{
    Module1 state;
    state.Team_Count = 3;
    for (int i = 0; i < 3; ++i)
        state.Team_Name.set(i, QString::number(i));
    state.Team_Count = 1; // a new selection with fewer teams
    QCOMPARE(state.Team_Name.value(2), QStringLiteral("2"));
}

void TestGameState::pendingPointsOrChangedStandingsAreUnsaved()
{
    Module1 state;
    state.Team_Count = 2;
    QVERIFY(!state.hasUnsavedStandings());

    state.Add_Score.set(5, 30); // a slot not in play does not count
    QVERIFY(!state.hasUnsavedStandings());
    state.Add_Score.set(1, 30);
    QVERIFY(state.hasUnsavedStandings());

    state.Add_Score.set(1, 0);
    state.Standings_Changed = true;
    QVERIFY(state.hasUnsavedStandings());
}

QTEST_GUILESS_MAIN(TestGameState)
#include "tst_game_state.moc"

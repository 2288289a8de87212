#include "scoreboard_window.h"

#include "board_monitor.h"
#include "counting_sound.h"
#include "game_engine.h"
#include "game_setup.h"
#include "saved_games_folder.h"
#include "scripted_dialogs.h"

#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

// The real board on a desktop of two screens: the primary at (0, 0) and a
// projector right of it (layouts/projector_right.json).
class TestScoreboardOnMonitors : public QObject
{
    Q_OBJECT

private slots:
    void boardGoesToTheProjectorOnlyWhenThePresenterChoseIt_data();
    void boardGoesToTheProjectorOnlyWhenThePresenterChoseIt();
};

void TestScoreboardOnMonitors::boardGoesToTheProjectorOnlyWhenThePresenterChoseIt_data()
{
    QTest::addColumn<bool>("useMonitor");
    QTest::addColumn<QString>("screen");
    QTest::newRow("chosen") << true << QStringLiteral("projector");
    QTest::newRow("recorded but not chosen") << false << QStringLiteral("primary");
}

void TestScoreboardOnMonitors::boardGoesToTheProjectorOnlyWhenThePresenterChoseIt()
{
    QFETCH(bool, useMonitor);
    QFETCH(QString, screen);
    QCOMPARE(QGuiApplication::screens().size(), 2);

    QTemporaryDir games;
    const SavedGamesFolder folder(games.path());
    GameEngine engine;
    setUpGame(engine, numberedTeams({100, 250}));
    ScriptedDialogs dialogs;
    CountingSound sound;
    const BoardMonitor projector{useMonitor, 2, 1280, 0, 1920, 1080};
    ScoreboardWindow board(engine, folder, dialogs, sound, projector);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    board.showGame();

    QCOMPARE(board.screen()->name(), screen);
    // Maximized there, with the bars drawn for that screen's width.
    QCOMPARE(board.frameGeometry(), board.screen()->availableGeometry());
    QCOMPARE(board.barTrack().scale(), double(board.width() - 304) / 500);
}

QTEST_MAIN(TestScoreboardOnMonitors)
#include "tst_scoreboard_on_monitors.moc"

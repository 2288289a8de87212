#include "counting_sound.h"
#include "monitor_platform.h"
#include "program.h"
#include "saved_games_folder.h"
#include "scoreboard_window.h"
#include "scripted_dialogs.h"
#include "setup_window.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

// The real board a start opens, on a desktop of two screens: the primary at
// (0, 0) and a projector right of it (layouts/projector_right.json).
class TestBoardOnMonitors : public QObject
{
    Q_OBJECT

private slots:
    void boardGoesToTheProjectorOnlyWhenThePresenterChoseIt_data();
    void boardGoesToTheProjectorOnlyWhenThePresenterChoseIt();
};

void TestBoardOnMonitors::boardGoesToTheProjectorOnlyWhenThePresenterChoseIt_data()
{
    QTest::addColumn<bool>("useMonitor");
    QTest::addColumn<QString>("screen");
    QTest::newRow("chosen") << true << QStringLiteral("projector");
    QTest::newRow("recorded but not chosen") << false << QStringLiteral("primary");
}

void TestBoardOnMonitors::boardGoesToTheProjectorOnlyWhenThePresenterChoseIt()
{
    QFETCH(bool, useMonitor);
    QFETCH(QString, screen);
    QCOMPARE(QGuiApplication::screens().size(), 2);

    QTemporaryDir games;
    ScriptedDialogs dialogs;
    CountingSound sound;
    Program program(SavedGamesFolder(games.path()), dialogs, sound, defaultMonitorPlatform());
    program.start();
    SetupWindow *setup = program.setupWindow();
    setup->selectMonitorChoice(useMonitor ? 1 : 0);
    QTest::mouseClick(setup->findChild<QCheckBox *>(QStringLiteral("Team_0")), Qt::LeftButton, {},
                      QPoint(7, 9));
    QTest::mouseClick(setup->findChild<QPushButton *>(QStringLiteral("Cmd_0")), Qt::LeftButton);
    ScoreboardWindow *board = program.board();
    QVERIFY(board);
    QVERIFY(QTest::qWaitForWindowExposed(board));

    QCOMPARE(board->screen()->name(), screen);
    // Maximized there, with the bars drawn for that screen's width, at the
    // board's scale for that screen.
    QCOMPARE(board->frameGeometry(), board->screen()->availableGeometry());
    QCOMPARE(board->barTrack().scale(), double(board->width() - board->scale().px(304)) / 500);
}

QTEST_MAIN(TestBoardOnMonitors)
#include "tst_board_on_monitors.moc"

#include "counting_sound.h"
#include "game_engine.h"
#include "monitor_platform.h"
#include "program.h"
#include "saved_game_file.h"
#include "saved_games_folder.h"
#include "scoreboard_window.h"
#include "scripted_dialogs.h"
#include "setup_window.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theRunBeginsWithTheSetupWindowAlone();
    void startReplacesTheSetupWindowWithABoard();
    void everyStartShowsANewBoard();
    void theLoadButtonOpensAFreshSetupWindowInSavedGameMode();
    void theLoadButtonOnlySwitchesAnOpenSetupWindow();
    void aGameLoadedFromTheBoardStartsWithItsStandings();
    void theLoadCommandWaitsForTheRaceToEnd();
    void closeInTeamModeEndsTheRun();
    void closeAsksFirstWhenTheShownBoardHasUnsavedStandings();
    void theBoardsLeaveButtonEndsTheRun();

private:
    GameEngine &engine() { return m_program->engine(); }
    QPushButton *cmd(int i) const
    {
        return m_program->setupWindow()->findChild<QPushButton *>(QStringLiteral("Cmd_%1").arg(i));
    }
    void clickTeam(int k)
    {
        auto *box = m_program->setupWindow()->findChild<QCheckBox *>(QStringLiteral("Team_%1").arg(k));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, 9));
    }
    void startWithTeams(std::initializer_list<int> teams)
    {
        for (int k : teams)
            clickTeam(k);
        QTest::mouseClick(cmd(0), Qt::LeftButton);
        QVERIFY(m_program->board());
    }
    // The board's load button, then "돌아가기": a setup window in team mode beside the board.
    void backToSetupFromTheBoard()
    {
        m_program->commands().requestSetup();
        QTest::mouseClick(cmd(2), Qt::LeftButton);
    }
    void writeGame(const QString &name, const QList<TeamStanding> &teams)
    {
        QVERIFY(writeSavedGame(m_program->savedGamesFolder(), name + u".scr"_qs, 800, teams));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    CountingSound m_sound;
    std::unique_ptr<Program> m_program;
};

void TestProgram::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = ScriptedDialogs{};
    m_program = std::make_unique<Program>(SavedGamesFolder(m_dir->path()), m_dialogs, m_sound,
                                          defaultMonitorPlatform());
    m_program->start();
    QVERIFY(m_program->setupWindow());
    QVERIFY(QTest::qWaitForWindowExposed(m_program->setupWindow()));
}

void TestProgram::cleanup()
{
    // Before the deferred deletes run: a program that ended still takes its
    // windows along before its engine (under the sanitizer this once read
    // a freed engine).
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestProgram::theRunBeginsWithTheSetupWindowAlone()
{
    QCOMPARE(m_program->setupWindow()->objectName(), u"FRMlogo"_qs);
    QVERIFY(!m_program->board());
    QCOMPARE(engine().maxScore(), 500);
    // The games are kept in the folder the run was given, and the setup
    // window recorded the monitors into the run's own choice.
    QCOMPARE(m_program->savedGamesFolder().path(), m_dir->path());
    QCOMPARE(m_program->boardMonitor().monitorCount, 1);
}

void TestProgram::startReplacesTheSetupWindowWithABoard()
{
    QPointer<SetupWindow> setup = m_program->setupWindow();
    startWithTeams({0, 3});
    QCOMPARE(m_program->board()->objectName(), u"main"_qs);
    QVERIFY(m_program->board()->isVisible());
    QVERIFY(m_program->board()->windowState() & Qt::WindowMaximized);
    QVERIFY(!m_program->setupWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!setup); // closed for good
    QCOMPARE(engine().announcedTeamCount(), 2);
    QCOMPARE(engine().teamName(1), u"은혜"_qs);
}

void TestProgram::everyStartShowsANewBoard()
{
    startWithTeams({0});
    QPointer<ScoreboardWindow> first = m_program->board();
    backToSetupFromTheBoard();
    startWithTeams({1, 2});
    QVERIFY(!first); // the old board is gone, without its leave question
    QVERIFY(m_program->board());
    QCOMPARE(engine().announcedTeamCount(), 2);
    QCOMPARE(m_dialogs.questions, QStringList());
}

void TestProgram::theLoadButtonOpensAFreshSetupWindowInSavedGameMode()
{
    startWithTeams({0});
    for (int step = 0; step < 4; ++step)
        engine().raiseMaxScore(); // 900
    engine().setSavedGame(SavedGame::named(u"지난 게임"_qs));
    writeGame(u"새로 저장"_qs, {{u"진리"_qs, 10}});

    m_program->commands().requestSetup();
    SetupWindow *setup = m_program->setupWindow();
    QVERIFY(setup);
    QVERIFY(setup->isVisible());
    QVERIFY(setup->inSavedGameMode());
    QCOMPARE(setup->savedGames().size(), 1); // read afresh
    // The open game keeps its maximum and its file until another replaces it.
    QCOMPARE(engine().maxScore(), 900);
    QCOMPARE(engine().savedGame(), std::optional<SavedGame>(SavedGame::named(u"지난 게임"_qs)));
    QVERIFY(m_program->board()); // the board stays open beside it
}

void TestProgram::theLoadButtonOnlySwitchesAnOpenSetupWindow()
{
    startWithTeams({0});
    backToSetupFromTheBoard();
    SetupWindow *setup = m_program->setupWindow();
    QVERIFY(!setup->inSavedGameMode());

    writeGame(u"나중"_qs, {{u"진리"_qs, 10}});
    for (int step = 0; step < 4; ++step)
        engine().raiseMaxScore(); // 900
    m_program->commands().requestSetup();
    QCOMPARE(m_program->setupWindow(), setup);
    QVERIFY(setup->inSavedGameMode());
    QCOMPARE(setup->savedGames().size(), 0); // not read again
    QCOMPARE(engine().maxScore(), 900);
}

void TestProgram::aGameLoadedFromTheBoardStartsWithItsStandings()
{
    startWithTeams({0, 1});
    writeGame(u"주일"_qs, {{u"사랑"_qs, 120}, {u"은혜"_qs, 80}});
    m_program->commands().requestSetup();
    SetupWindow *setup = m_program->setupWindow();
    auto *list = setup->findChild<QListWidget *>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(cmd(0), Qt::LeftButton); // 가져오기
    QVERIFY(!setup->inSavedGameMode());
    QTest::mouseClick(cmd(0), Qt::LeftButton); // 시작
    QVERIFY(m_program->board());
    QVERIFY(!m_program->setupWindow());
    QCOMPARE(engine().announcedTeamCount(), 2);
    QCOMPARE(engine().teamName(0), u"사랑"_qs);
    QCOMPARE(engine().score(0), 120);
    QCOMPARE(engine().maxScore(), 800);
    // Later saves go to that file.
    QCOMPARE(engine().savedGame().value_or(SavedGame{}), SavedGame::named(u"주일"_qs));
    QVERIFY(!engine().hasUnsavedStandings());
}

void TestProgram::theLoadCommandWaitsForTheRaceToEnd()
{
    startWithTeams({0, 1});
    engine().enterPoints(0, u"30"_qs);
    m_program->commands().startRace();
    QVERIFY(engine().isRacing());
    // A game fetched now was once drawn under the old race until it ended.
    m_program->commands().requestSetup();
    QVERIFY(!m_program->setupWindow());
    while (engine().isRacing())
        engine().raceTick();
    m_program->commands().requestSetup();
    QVERIFY(m_program->setupWindow());
}

void TestProgram::closeInTeamModeEndsTheRun()
{
    // Standings not saved, but no board shows them: nothing to lose on screen.
    engine().restoreGame({1, 500, {{u"지난 게임"_qs, 10}}}, std::nullopt);
    QSignalSpy ended(m_program.get(), &Program::ended);
    QTest::mouseClick(cmd(2), Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(m_dialogs.questions, QStringList());
    QVERIFY(!m_program->setupWindow());
}

void TestProgram::closeAsksFirstWhenTheShownBoardHasUnsavedStandings()
{
    startWithTeams({0});
    engine().enterPoints(0, u"30"_qs); // points typed, not yet committed
    backToSetupFromTheBoard();
    QSignalSpy ended(m_program.get(), &Program::ended);

    m_dialogs.askAnswers = {false};
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 닫기
    QCOMPARE(m_dialogs.questions, QStringList{u"저장하지 않은 점수가 있습니다. 종료할까요?"_qs});
    QCOMPARE(ended.count(), 0);
    QVERIFY(m_program->board());
    QVERIFY(m_program->setupWindow());

    m_dialogs.askAnswers = {true};
    QTest::mouseClick(cmd(2), Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
    QVERIFY(!m_program->board());
    QVERIFY(!m_program->setupWindow());
}

void TestProgram::theBoardsLeaveButtonEndsTheRun()
{
    startWithTeams({0});
    m_program->commands().requestSetup();
    QSignalSpy ended(m_program.get(), &Program::ended);
    QTest::mouseClick(m_program->board()->findChild<QPushButton *>(QStringLiteral("Command5")),
                      Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(m_dialogs.questions, QStringList()); // nothing unsaved
    QVERIFY(!m_program->board());
    QVERIFY(!m_program->setupWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"

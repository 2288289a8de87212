#include "frm_logo.h"
#include "game_state.h"
#include "main_form.h"
#include "monitor_platform.h"
#include "program.h"
#include "score_file.h"
#include "scripted_dialogs.h"
#include "start_sound.h"

#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

class SilentSound final : public StartSound
{
public:
    void play() override {}
};

const QString endQuestion = QStringLiteral("저장하지 않은 점수가 있습니다. 종료할까요?");

} // namespace

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
    void closeInTeamModeEndsTheRun();
    void closeAsksFirstWhenTheShownBoardHasUnsavedStandings();
    void theBoardsLeaveButtonEndsTheRun();

private:
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
    void writeGame(const QString &name, QList<std::pair<QString, qint32>> teams)
    {
        Module1 game;
        game.Max_Score = 800;
        game.Team_Count = static_cast<qint32>(teams.size());
        for (int i = 0; i < teams.size(); ++i) {
            game.Team_Name.set(i, teams[i].first);
            game.Team_Score.set(i, teams[i].second);
        }
        QFile file(m_state.Saved_Games_Folder + name + u".scr"_qs);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(scoreFileBytes(game));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    Module1 m_state;
    ScriptedDialogs m_dialogs;
    SilentSound m_sound;
    std::unique_ptr<Program> m_program;
};

void TestProgram::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = Module1{};
    m_state.Saved_Games_Folder = m_dir->path() + u'/';
    m_dialogs = ScriptedDialogs{};
    m_program = std::make_unique<Program>(m_state, m_dialogs, m_sound, defaultMonitorPlatform());
    m_program->start();
    QVERIFY(m_program->setupWindow());
    QVERIFY(QTest::qWaitForWindowExposed(m_program->setupWindow()));
}

void TestProgram::cleanup()
{
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestProgram::theRunBeginsWithTheSetupWindowAlone()
{
    QCOMPARE(m_program->setupWindow()->objectName(), u"FRMlogo"_qs);
    QVERIFY(!m_program->board());
    QCOMPARE(m_state.Max_Score, 500);
    QCOMPARE(m_state.Save_Path, m_state.Saved_Games_Folder);
}

void TestProgram::startReplacesTheSetupWindowWithABoard()
{
    QPointer<FRMlogo> setup = m_program->setupWindow();
    startWithTeams({0, 3});
    QCOMPARE(m_program->board()->objectName(), u"main"_qs);
    QVERIFY(m_program->board()->isVisible());
    QVERIFY(!m_program->setupWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!setup); // closed for good
    QCOMPARE(m_state.Team_Count, 2);
    QCOMPARE(m_state.Team_Name.value(1), u"은혜"_qs);
}

void TestProgram::everyStartShowsANewBoard()
{
    startWithTeams({0});
    QPointer<MainForm> first = m_program->board();
    emit first->loadRequested();
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 돌아가기
    startWithTeams({1, 2});
    QVERIFY(!first); // the old board is gone, without its leave question
    QVERIFY(m_program->board());
    QCOMPARE(m_state.Team_Count, 2);
    QCOMPARE(m_dialogs.questions, QStringList());
}

void TestProgram::theLoadButtonOpensAFreshSetupWindowInSavedGameMode()
{
    startWithTeams({0});
    m_state.Max_Score = 900;
    m_state.Game_Name = u"지난 게임"_qs;
    writeGame(u"새로 저장"_qs, {{u"진리"_qs, 10}});

    emit m_program->board()->loadRequested();
    FRMlogo *setup = m_program->setupWindow();
    QVERIFY(setup);
    QVERIFY(setup->isVisible());
    QVERIFY(setup->inSavedGameMode());
    QCOMPARE(setup->savedGames().size(), 1); // read afresh
    QCOMPARE(m_state.Max_Score, 500);
    QCOMPARE(m_state.Game_Name, QString());
    QVERIFY(m_program->board()); // the board stays open beside it
}

void TestProgram::theLoadButtonOnlySwitchesAnOpenSetupWindow()
{
    startWithTeams({0});
    emit m_program->board()->loadRequested();
    FRMlogo *setup = m_program->setupWindow();
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 돌아가기
    QVERIFY(!setup->inSavedGameMode());

    writeGame(u"나중"_qs, {{u"진리"_qs, 10}});
    m_state.Max_Score = 900;
    emit m_program->board()->loadRequested();
    QCOMPARE(m_program->setupWindow(), setup);
    QVERIFY(setup->inSavedGameMode());
    QCOMPARE(setup->savedGames().size(), 0); // not read again
    QCOMPARE(m_state.Max_Score, 900);
}

void TestProgram::aGameLoadedFromTheBoardStartsWithItsStandings()
{
    startWithTeams({0, 1});
    writeGame(u"주일"_qs, {{u"사랑"_qs, 120}, {u"은혜"_qs, 80}});
    emit m_program->board()->loadRequested();
    FRMlogo *setup = m_program->setupWindow();
    auto *list = setup->findChild<QListWidget *>(QStringLiteral("List1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(cmd(0), Qt::LeftButton); // 가져오기
    QVERIFY(!setup->inSavedGameMode());
    QTest::mouseClick(cmd(0), Qt::LeftButton); // 시작
    QVERIFY(m_program->board());
    QVERIFY(!m_program->setupWindow());
    QCOMPARE(m_state.Team_Count, 2);
    QCOMPARE(m_state.Team_Name.value(0), u"사랑"_qs);
    QCOMPARE(m_state.Team_Score.value(0), 120);
    QCOMPARE(m_state.Max_Score, 800);
    QCOMPARE(m_state.Game_Name, u"주일"_qs); // later saves go to that file
    QVERIFY(!m_state.hasUnsavedStandings());
}

void TestProgram::closeInTeamModeEndsTheRun()
{
    m_state.Standings_Changed = true; // no board shown: nothing to lose on screen
    QSignalSpy ended(m_program.get(), &Program::ended);
    QTest::mouseClick(cmd(2), Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(m_dialogs.questions, QStringList());
    QVERIFY(!m_program->setupWindow());
}

void TestProgram::closeAsksFirstWhenTheShownBoardHasUnsavedStandings()
{
    startWithTeams({0});
    m_state.Add_Score.set(0, 30); // points typed, not yet committed
    emit m_program->board()->loadRequested();
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 돌아가기
    QSignalSpy ended(m_program.get(), &Program::ended);

    m_dialogs.askAnswers = {false};
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 닫기
    QCOMPARE(m_dialogs.questions, QStringList{endQuestion});
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
    emit m_program->board()->loadRequested();
    QSignalSpy ended(m_program.get(), &Program::ended);
    emit m_program->board()->endRequested();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!m_program->board());
    QVERIFY(!m_program->setupWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"

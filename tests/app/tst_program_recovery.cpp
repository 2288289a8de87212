// The coordinator with a recovery folder: a clean end removes the recovery
// file, a run that did not end leaves it, and the next run offers its game.
#include "counting_sound.h"
#include "game_engine.h"
#include "monitor_platform.h"
#include "program.h"
#include "recovery_store.h"
#include "saved_games_folder.h"
#include "scoreboard_window.h"
#include "scripted_dialogs.h"
#include "setup_window.h"
#include "test_files.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The question for a game left behind, as a change at `changedAt` left it.
QString resumeQuestion(const QString &game, const QDateTime &changedAt)
{
    const QDateTime local = changedAt.toLocalTime();
    return u"저장하지 않은 지난 게임이 있습니다 (%1, 마지막 변경 %2월 %3일 %4). 이어서 할까요?"_qs.arg(game)
        .arg(local.date().month())
        .arg(local.date().day())
        .arg(local.toString(u"HH:mm"_qs));
}
const QString leaveQuestion = u"저장하지 않은 점수가 있습니다. 종료할까요?"_qs;

using End = void (*)(Program &);

QPushButton *setupButton(Program &program, int i)
{
    return program.setupWindow()->findChild<QPushButton *>(u"Cmd_%1"_qs.arg(i));
}

} // namespace

Q_DECLARE_METATYPE(End)

class TestProgramRecovery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aCleanEndRemovesTheRecoveryFile_data();
    void aCleanEndRemovesTheRecoveryFile();
    void closingTheSetupWindowAloneIsACleanEndToo();
    void aBoardReplacedAtAStartIsNoEnd();
    void aRunThatDidNotEndOffersItsGameToTheNext();
    void decliningTheGameSetsItAsideAndTheSetupGoesOn();
    void theQuestionNamesANewGameAndItsHistoryComesBack();
    void anUnreadableRecoveryFileIsSetAsideNeverDeleted_data();
    void anUnreadableRecoveryFileIsSetAsideNeverDeleted();
    void aFailingAutosaveIsShownUntilAWriteSucceeds();

private:
    GameEngine &engine() { return m_program->engine(); }
    QString recoveryFile() const { return m_program->recoveryStore()->filePath(); }
    // Closed windows deleted, and what their deletion set off done.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
    }
    // The file's game without its date and history.
    std::optional<RecoveredGame> recoveryFileGame() const
    {
        std::optional<RecoveredGame> game = recoveryFileWhole();
        if (game)
            game = RecoveredGame{game->standings, game->savedGame};
        return game;
    }
    std::optional<RecoveredGame> recoveryFileWhole() const
    {
        return parseRecoveryFile(TestFiles::readAll(recoveryFile()));
    }
    QStringList recoveryFolderFiles(const QString &pattern) const
    {
        return QDir(m_dir->filePath(u"recovery"_qs)).entryList({pattern}, QDir::Files | QDir::System);
    }
    // A new run on the same folders; the old one is destroyed with its
    // windows open, which leaves its recovery file as a crash would.
    void startRun()
    {
        m_program.reset();
        m_program = std::make_unique<Program>(SavedGamesFolder(m_dir->filePath(u"games"_qs)), m_dialogs,
                                              m_sound, defaultMonitorPlatform());
        m_program->setRecoveryFolder(m_dir->filePath(u"recovery"_qs));
        m_program->start();
        QVERIFY(m_program->recoveryStore());
    }
    // Three teams on the board, a round committed, a rename, a game name,
    // and points typed for the next round; the game as it was committed.
    RecoveredGame playARound()
    {
        for (int k : {0, 1, 4}) {
            auto *box = m_program->setupWindow()->findChild<QCheckBox *>(u"Team_%1"_qs.arg(k));
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, 9));
        }
        QTest::mouseClick(setupButton(*m_program, 0), Qt::LeftButton);
        engine().enterPoints(2, u"120"_qs);
        engine().startRace();
        while (engine().isRacing())
            engine().raceTick();
        engine().renameTeam(0, u"Owls"_qs);
        engine().setSavedGame(SavedGame::named(u"주일 저녁"_qs));
        const RecoveredGame committed{engine().standings(), engine().savedGame()};
        engine().enterPoints(1, u"30"_qs);
        return committed;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    CountingSound m_sound;
    std::unique_ptr<Program> m_program;
};

void TestProgramRecovery::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = ScriptedDialogs{};
    startRun();
    QCOMPARE(m_dialogs.questions, QStringList()); // nothing was left
}

void TestProgramRecovery::cleanup()
{
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestProgramRecovery::aCleanEndRemovesTheRecoveryFile_data()
{
    QTest::addColumn<End>("end");
    QTest::addColumn<bool>("agreed");
    const End leaveButton = [](Program &program) {
        QTest::mouseClick(program.board()->findChild<QPushButton *>(u"Command5"_qs), Qt::LeftButton);
    };
    const End titleBarClose = [](Program &program) { program.board()->close(); };
    const End setupClose = [](Program &program) {
        program.commands().requestSetup();
        QTest::mouseClick(setupButton(program, 2), Qt::LeftButton); // 돌아가기
        QTest::mouseClick(setupButton(program, 2), Qt::LeftButton); // 닫기
    };
    QTest::newRow("leave button") << leaveButton << true;
    QTest::newRow("leave button declined") << leaveButton << false;
    QTest::newRow("board's title bar") << titleBarClose << true;
    QTest::newRow("board's title bar declined") << titleBarClose << false;
    QTest::newRow("setup window's 닫기") << setupClose << true;
    QTest::newRow("setup window's 닫기 declined") << setupClose << false;
}

void TestProgramRecovery::aCleanEndRemovesTheRecoveryFile()
{
    QFETCH(End, end);
    QFETCH(bool, agreed);
    const RecoveredGame committed = playARound();
    QTRY_COMPARE(recoveryFileGame(), committed);
    m_dialogs.askAnswers = {agreed};
    end(*m_program);
    settle();
    QCOMPARE(m_dialogs.questions, QStringList{leaveQuestion});
    QCOMPARE(!m_program->board(), agreed);
    QCOMPARE(!QFile::exists(recoveryFile()), agreed);
    // Nothing is written after the end.
    engine().renameTeam(1, u"late"_qs);
    QTest::qWait(20);
    QCOMPARE(!QFile::exists(recoveryFile()), agreed);
}

void TestProgramRecovery::closingTheSetupWindowAloneIsACleanEndToo()
{
    engine().startGame({{u"진리"_qs, 10}});
    QTRY_VERIFY(QFile::exists(recoveryFile()));
    m_program->setupWindow()->close();
    settle();
    QVERIFY(!QFile::exists(recoveryFile()));
}

void TestProgramRecovery::aBoardReplacedAtAStartIsNoEnd()
{
    playARound();
    m_program->commands().requestSetup();
    QTest::mouseClick(setupButton(*m_program, 2), Qt::LeftButton); // 돌아가기
    QTest::mouseClick(m_program->setupWindow()->findChild<QCheckBox *>(u"Team_2"_qs), Qt::LeftButton, {},
                      QPoint(7, 9));
    m_dialogs.askAnswers = {true}; // the unsaved standings may go
    QTest::mouseClick(setupButton(*m_program, 0), Qt::LeftButton); // 시작
    settle();
    QVERIFY(m_program->board());
    QTRY_COMPARE(recoveryFileGame(), (RecoveredGame{engine().standings(), std::nullopt}));
}

void TestProgramRecovery::aRunThatDidNotEndOffersItsGameToTheNext()
{
    const RecoveredGame committed = playARound();
    QTRY_COMPARE(recoveryFileGame(), committed);
    {
        // A second copy running meanwhile neither sees nor touches it.
        ScriptedDialogs otherDialogs;
        Program other(SavedGamesFolder(), otherDialogs, m_sound, defaultMonitorPlatform());
        other.setRecoveryFolder(m_dir->filePath(u"recovery"_qs));
        other.start();
        QCOMPARE(otherDialogs.questions, QStringList());
        QVERIFY(other.recoveryStore()->filePath() != recoveryFile());
        other.engine().startGame({{u"other"_qs, 1}});
        QTRY_VERIFY(QFile::exists(other.recoveryStore()->filePath()));
    }
    QCOMPARE(recoveryFileGame(), committed);

    const QDateTime changedAt = recoveryFileWhole()->changedAt;
    QVERIFY(qAbs(changedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    const GameHistory history = engine().history();
    QCOMPARE(recoveryFileWhole()->history, history);
    m_dialogs.askAnswers = {true};
    startRun();
    QCOMPARE(m_dialogs.questions, QStringList{resumeQuestion(u"주일 저녁"_qs, changedAt)});
    QCOMPARE(m_dialogs.questionDefaults, QList{Dialogs::DefaultAnswer::Yes});
    // The rename and the round can still be taken back.
    QCOMPARE(engine().history(), history);
    QVERIFY(m_program->board());
    QVERIFY(!m_program->setupWindow());
    QCOMPARE(engine().standings(), committed.standings);
    QCOMPARE(engine().savedGame(), committed.savedGame);
    QCOMPARE(engine().pendingPoints(1), 0);
    QVERIFY(engine().hasUnsavedStandings());
    QCOMPARE(recoveryFileGame(), committed);

    // Its next save goes to its game's file without asking.
    m_program->commands().saveStandings();
    QCOMPARE(m_dialogs.inputPrompts, QStringList());
    const SavedGamesFolder games = m_program->savedGamesFolder();
    QCOMPARE(TestFiles::readAll(games.filePath(*committed.savedGame)), scoreFileBytes(committed.standings));
}

void TestProgramRecovery::decliningTheGameSetsItAsideAndTheSetupGoesOn()
{
    const RecoveredGame committed = playARound();
    QTRY_COMPARE(recoveryFileGame(), committed);
    const QByteArray left = TestFiles::readAll(recoveryFile());
    m_dialogs.askAnswers = {false}; // Escape and the title bar's close answer no too
    startRun();
    QCOMPARE(m_dialogs.questions.size(), 1);
    QCOMPARE(m_dialogs.questionDefaults, QList{Dialogs::DefaultAnswer::Yes});
    QVERIFY(!m_program->board());
    QVERIFY(m_program->setupWindow());
    QCOMPARE(engine().announcedTeamCount(), 0);
    QVERIFY(!QFile::exists(recoveryFile()));
    // It once went at once; now it waits aside, under its date.
    const QStringList aside = recoveryFolderFiles(u"discarded-*.json"_qs);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(TestFiles::readAll(m_dir->filePath(u"recovery/"_qs + aside.first())), left);

    startRun();
    QCOMPARE(m_dialogs.questions.size(), 1); // nothing offered again
}

void TestProgramRecovery::theQuestionNamesANewGameAndItsHistoryComesBack()
{
    for (int k : {0, 1}) {
        auto *box = m_program->setupWindow()->findChild<QCheckBox *>(u"Team_%1"_qs.arg(k));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, 9));
    }
    QTest::mouseClick(setupButton(*m_program, 0), Qt::LeftButton);
    engine().renameTeam(0, u"Owls"_qs);
    QTRY_VERIFY(recoveryFileWhole() && !recoveryFileWhole()->history.undoSteps.isEmpty());
    const QDateTime changedAt = recoveryFileWhole()->changedAt;
    m_dialogs.askAnswers = {true};
    startRun();
    QCOMPARE(m_dialogs.questions, QStringList{resumeQuestion(u"새 게임"_qs, changedAt)});
    QVERIFY(engine().undo());
    QCOMPARE(engine().teamName(0), u"믿음"_qs);
}

void TestProgramRecovery::anUnreadableRecoveryFileIsSetAsideNeverDeleted_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray whole = recoveryFileBytes({{1, 500, {{u"진리"_qs, 10}}}, std::nullopt});
    QTest::newRow("damaged") << QByteArray("{ \"format\": ");
    QTest::newRow("cut short") << whole.left(whole.size() / 2);
    QTest::newRow("from a later version") << QByteArray(whole).replace("\"version\": 1", "\"version\": 2");
    QTest::newRow("with a name the program never writes") << QByteArray(whole).replace("진리", "A;B");
}

void TestProgramRecovery::anUnreadableRecoveryFileIsSetAsideNeverDeleted()
{
    QFETCH(QByteArray, bytes);
    const QString path = recoveryFile();
    m_program.reset();
    QVERIFY(TestFiles::writeAll(path, bytes));
    startRun();
    QCOMPARE(m_dialogs.questions, QStringList()); // nothing to offer
    const QStringList aside = recoveryFolderFiles(u"unreadable-*.json"_qs);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(TestFiles::readAll(m_dir->filePath(u"recovery/"_qs + aside.first())), bytes);
}

void TestProgramRecovery::aFailingAutosaveIsShownUntilAWriteSucceeds()
{
    playARound();
    QTRY_VERIFY(QFile::exists(recoveryFile()));
    QCOMPARE(m_program->autosaveWarning(), QString());
    // A folder in the file's place: the next write cannot replace it, as
    // on a full disk.
    QVERIFY(QFile::remove(recoveryFile()));
    QVERIFY(QDir().mkdir(recoveryFile()));
    engine().renameTeam(1, u"Larks"_qs);
    QTRY_COMPARE(m_program->autosaveWarning(), u"자동 저장을 하지 못했습니다"_qs);
    // No console is shown here: the board's title says it.
    QVERIFY(!m_program->console());
    QVERIFY(m_program->board()->windowTitle().endsWith(u" - 자동 저장을 하지 못했습니다"_qs));
    // The next change tries again.
    QVERIFY(QDir().rmdir(recoveryFile()));
    engine().renameTeam(1, u"Hawks"_qs);
    QTRY_COMPARE(m_program->autosaveWarning(), QString());
    QVERIFY(!m_program->board()->windowTitle().contains(u"자동 저장"_qs));
    QCOMPARE(recoveryFileGame()->standings.teams.at(1).name, u"Hawks"_qs);
}

QTEST_MAIN(TestProgramRecovery)
#include "tst_program_recovery.moc"

#include "game_engine.h"
#include "game_loading.h"
#include "game_setup.h"
#include "save_command.h"
#include "saved_games_folder.h"
#include "score_file.h"
#include "scripted_dialogs.h"
#include "test_files.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

using TestFiles::snapshot;

namespace {

const QString namePrompt = QStringLiteral("저장할 화일명을 입력하세요|점수 저장하기");
const QString savedMessage = QStringLiteral("점수 저장이 완료되었습니다");
const QString overwriteQuestion = QStringLiteral("같은 이름의 저장된 게임이 있습니다. 덮어쓸까요?");
const QString failedMessage = QStringLiteral("점수를 저장하지 못했습니다");

} // namespace

class TestSaveCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void aNewGameIsSavedUnderTheTypedNameAndKeepsThatFile();
    void cancelOrABlankAnswerWritesNothingAndSaysNothing_data();
    void cancelOrABlankAnswerWritesNothingAndSaysNothing();
    void refusedSavesSayWhyAndWriteNothing_data();
    void refusedSavesSayWhyAndWriteNothing();
    void anExistingGameIsOverwrittenOnlyWhenThePresenterAgrees_data();
    void anExistingGameIsOverwrittenOnlyWhenThePresenterAgrees();
    void theOverwriteQuestionAsksTheFileSystemAndNamesTheReplacedFile_data();
    void theOverwriteQuestionAsksTheFileSystemAndNamesTheReplacedFile();
    void anExistingGameIsFoundInAFolderThatCannotBeListed();
    void namesNearTheFileSystemsLimitAreSavedTypedAndLoaded();
    void theLoadedGameIsSavedToItsOwnFileWithoutAsking_data();
    void theLoadedGameIsSavedToItsOwnFileWithoutAsking();
    void aFailedSaveSaysSoAndLeavesTheStandingsUnsaved_data();
    void aFailedSaveSaysSoAndLeavesTheStandingsUnsaved();

private:
    QString pathOf(const QString &fileName) const { return m_folder.filePath({QString(), fileName}); }
    SaveOutcome save() { return saveStandings(*m_engine, m_folder, m_dialogs); }

    std::optional<QTemporaryDir> m_dir;
    SavedGamesFolder m_folder;
#ifdef Q_OS_UNIX
    const pid_t m_parent = ::getpid();
#endif
    std::optional<GameEngine> m_engine;
    ScriptedDialogs m_dialogs;
};

void TestSaveCommand::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_folder = SavedGamesFolder(m_dir->path());
    m_engine.emplace();
    // A game with standings not saved yet, as a recovered one comes back.
    m_engine->restoreGame({2, 500, {{QStringLiteral("진리"), 120}, {QStringLiteral("지혜"), 80}}},
                          std::nullopt);
    m_dialogs = ScriptedDialogs();
}

void TestSaveCommand::aNewGameIsSavedUnderTheTypedNameAndKeepsThatFile()
{
    // The folder is made by the first save.
    m_folder = SavedGamesFolder(m_dir->filePath(QStringLiteral("Zanto 점수판")));
    m_dialogs.inputAnswers = {QStringLiteral(" 결승 ")};
    QSignalSpy savedGameChanges(&*m_engine, &GameEngine::savedGameChanged);

    QCOMPARE(save(), SaveOutcome::Saved);
    QVERIFY(!m_engine->changedSinceSave());
    // The game is that file's now, as if loaded from it: the board's title
    // names it, and the next save goes there without asking.
    QCOMPARE(m_engine->savedGame(), std::optional<SavedGame>(SavedGame::named(QStringLiteral(" 결승 "))));
    QCOMPARE(savedGameChanges.size(), 1);
    playRound(*m_engine, {0, 15}); // 80 + 15
    QCOMPARE(save(), SaveOutcome::Saved);

    QCOMPARE(m_dialogs.inputPrompts, QStringList{namePrompt});
    QCOMPARE(m_dialogs.messages, QStringList(2, savedMessage));
    QVERIFY(m_dialogs.questions.isEmpty());
    // The typed name keeps its spaces.
    QCOMPARE(snapshot(m_folder.path()),
             (TestFiles::Snapshot{{QStringLiteral(" 결승 .scr"), "2;500;50\r\n" + TestFiles::cp949(QStringLiteral("진리;120\r\n지혜;95\r\n"))}}));
}

void TestSaveCommand::cancelOrABlankAnswerWritesNothingAndSaysNothing_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::newRow("cancel") << std::optional<QString>();
    QTest::newRow("empty") << std::optional<QString>(QString());
    QTest::newRow("spaces") << std::optional<QString>(QStringLiteral("   "));
}

void TestSaveCommand::cancelOrABlankAnswerWritesNothingAndSaysNothing()
{
    QFETCH(std::optional<QString>, answer);
    m_dialogs.inputAnswers = {answer};
    QCOMPARE(save(), SaveOutcome::Cancelled);
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(snapshot(m_folder.path()).isEmpty());
    QVERIFY(m_engine->changedSinceSave());
}

void TestSaveCommand::refusedSavesSayWhyAndWriteNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("teamName");
    QTest::addColumn<QString>("message");
    const QString unusable = QStringLiteral("사용할 수 없는 화일명입니다");
    // The whole rule for names is tested with SavedGamesFolder::isUsableName.
    QTest::newRow("a folder separator") << QStringLiteral("a/b") << QStringLiteral("지혜") << unusable;
    QTest::newRow("a Windows separator") << QStringLiteral("a\\b") << QStringLiteral("지혜") << unusable;
    QTest::newRow("a leading dot") << QStringLiteral(".secret") << QStringLiteral("지혜") << unusable;
    QTest::newRow("a control character") << QStringLiteral("a\tb") << QStringLiteral("지혜") << unusable;
    // 84 Hangul syllables and ".scr": 256 bytes, one more than a file name holds.
    QTest::newRow("a name too long for a file") << QString(84, QChar(0xACB0)) << QStringLiteral("지혜") << unusable;
    QTest::newRow("a team name code page 949 cannot hold")
        << QStringLiteral("emoji") << QStringLiteral("팀😀")
        << QStringLiteral("저장할 수 없는 글자가 있는 팀 이름입니다: 팀😀");
    // A pasted line break once wrote a second, forged team line.
    QTest::newRow("a line break in a team name") << QStringLiteral("forged") << QStringLiteral("A\nFAKE;9999")
                                                 << QStringLiteral("사용할 수 없는 팀 이름입니다: A\nFAKE;9999");
    QTest::newRow("a team line the reader would refuse")
        << QStringLiteral("long") << QString(40000, u'가')
        << QStringLiteral("사용할 수 없는 팀 이름입니다: ") + QString(60, u'가') + u'…';
}

void TestSaveCommand::refusedSavesSayWhyAndWriteNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, teamName);
    QFETCH(QString, message);
    // Brought back from elsewhere: the rename boxes refuse such names, a
    // loaded or recovered game may still hold one.
    m_engine->restoreGame({2, 500, {{QStringLiteral("진리"), 120}, {teamName, 80}}}, std::nullopt);
    m_dialogs.inputAnswers = {name};
    QCOMPARE(save(), SaveOutcome::Refused);
    QCOMPARE(m_dialogs.messages, QStringList{message});
    QVERIFY(snapshot(m_folder.path()).isEmpty());
    QVERIFY(m_engine->changedSinceSave());
}

void TestSaveCommand::anExistingGameIsOverwrittenOnlyWhenThePresenterAgrees_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("the same name") << QStringLiteral("final");
    // On Windows "FINAL.scr" is the very file "final.scr": replacing it must ask.
    QTest::newRow("the name in capitals") << QStringLiteral("FINAL");
    QTest::newRow("the name capitalised") << QStringLiteral("Final");
}

void TestSaveCommand::anExistingGameIsOverwrittenOnlyWhenThePresenterAgrees()
{
    QFETCH(QString, typed);
    QVERIFY(TestFiles::writeAll(pathOf("final.scr"), "old"));
    m_dialogs.inputAnswers = {typed, typed};
    m_dialogs.askAnswers = {false, true};
    // The question names the file that is replaced.
    const QString question = overwriteQuestion + QStringLiteral("\nfinal.scr");

    QCOMPARE(save(), SaveOutcome::NotOverwritten);
    QCOMPARE(snapshot(m_folder.path()), (TestFiles::Snapshot{{"final.scr", "old"}}));
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(save(), SaveOutcome::Saved);
    QCOMPARE(snapshot(m_folder.path()),
             (TestFiles::Snapshot{{"final.scr", scoreFileBytes(m_engine->standings())}}));
    QCOMPARE(m_dialogs.questions, QStringList(2, question));
    QCOMPARE(m_dialogs.messages, QStringList{savedMessage});
}

void TestSaveCommand::theOverwriteQuestionAsksTheFileSystemAndNamesTheReplacedFile_data()
{
#ifdef Q_OS_UNIX
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("replaced"); // the file the question names and the save replaces
    QTest::addColumn<QString>("linkTarget"); // "final.scr" is a link to it when set
    QTest::newRow("the exact name beside one in capitals") << QStringLiteral("FINAL") << QStringLiteral("FINAL.scr")
                                                          << QString();
    QTest::newRow("the exact name in lower case") << QStringLiteral("final") << QStringLiteral("final.scr")
                                                  << QString();
    QTest::newRow("a link to a file outside") << QStringLiteral("final") << QStringLiteral("final.scr")
                                              << QStringLiteral("notes.txt");
    QTest::newRow("a link to nowhere") << QStringLiteral("final") << QStringLiteral("final.scr")
                                       << QStringLiteral("gone");
#endif
}

void TestSaveCommand::theOverwriteQuestionAsksTheFileSystemAndNamesTheReplacedFile()
{
#ifndef Q_OS_UNIX
    QSKIP("letter case and symbolic links are told apart only on POSIX systems here");
#else
    QFETCH(QString, typed);
    QFETCH(QString, replaced);
    QFETCH(QString, linkTarget);
    const QString outside = m_dir->filePath(QStringLiteral("outside"));
    QVERIFY(QDir().mkpath(outside));
    m_folder = SavedGamesFolder(m_dir->filePath(QStringLiteral("games")));
    QVERIFY(QDir().mkpath(m_folder.path()));
    QVERIFY(TestFiles::writeAll(outside + "/notes.txt", "the presenter's notes"));
    QVERIFY(TestFiles::writeAll(pathOf("FINAL.scr"), "capitals"));
    if (QFileInfo::exists(pathOf("final.scr")))
        QSKIP("this file system does not tell names apart by letter case");
    if (linkTarget.isEmpty())
        QVERIFY(TestFiles::writeAll(pathOf("final.scr"), "lower"));
    else
        QVERIFY(QFile::link(outside + u'/' + linkTarget, pathOf("final.scr")));
    TestFiles::Snapshot expected = snapshot(m_folder.path());
    const TestFiles::Snapshot outsideBefore = snapshot(outside);
    m_dialogs.inputAnswers = {typed};
    m_dialogs.askAnswers = {true};

    QCOMPARE(save(), SaveOutcome::Saved);
    QCOMPARE(m_dialogs.questions, QStringList{overwriteQuestion + u'\n' + replaced});
    expected[replaced] = scoreFileBytes(m_engine->standings());
    QCOMPARE(snapshot(m_folder.path()), expected);
    QVERIFY(!QFileInfo(pathOf(replaced)).isSymLink());
    QCOMPARE(snapshot(outside), outsideBefore);
#endif
}

void TestSaveCommand::anExistingGameIsFoundInAFolderThatCannotBeListed()
{
#ifndef Q_OS_UNIX
    QSKIP("a folder that can be written but not listed is a POSIX folder");
#else
    m_folder = SavedGamesFolder(m_dir->filePath(QStringLiteral("drop")));
    QVERIFY(QDir().mkpath(m_folder.path()));
    QVERIFY(TestFiles::writeAll(pathOf("final.scr"), "old"));
    const auto writeOnly = QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::WriteOther
                           | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | writeOnly));
    QVERIFY(QFile::setPermissions(m_folder.path(), writeOnly));
    m_dialogs.inputAnswers = {QStringLiteral("final")};
    // Root lists any folder: the save runs as "nobody" then, in a child.
    const pid_t child = ::getuid() == 0 ? ::fork() : 0;
    QVERIFY(child >= 0);
    if (child == 0) {
        constexpr uid_t nobody = 65534;
        if (::getuid() == 0 && (::setgid(nobody) != 0 || ::setuid(nobody) != 0))
            ::_exit(3);
        const bool listed = !m_folder.list().isEmpty();
        const SaveOutcome outcome = save();
        const bool asked = m_dialogs.questions == QStringList{overwriteQuestion + QStringLiteral("\nfinal.scr")};
        if (::getpid() != m_parent)
            ::_exit(listed ? 4 : outcome == SaveOutcome::NotOverwritten && asked ? 0 : 1);
        QVERIFY(!listed);
        QCOMPARE(outcome, SaveOutcome::NotOverwritten);
        QVERIFY(asked);
    } else {
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
    QVERIFY(QFile::setPermissions(m_folder.path(), QFileDevice::ReadOwner | writeOnly));
    QCOMPARE(TestFiles::readAll(pathOf("final.scr")), QByteArray("old"));
#endif
}

void TestSaveCommand::namesNearTheFileSystemsLimitAreSavedTypedAndLoaded()
{
    // 83 syllables and two letters: 251 bytes, 255 with ".scr".
    const QString name = QString(83, QChar(0xACB0)) + QStringLiteral("ab");
    m_dialogs.inputAnswers = {name};
    QCOMPARE(save(), SaveOutcome::Saved);

    m_engine.emplace();
    QCOMPARE(loadSavedGame(*m_engine, m_folder, *m_folder.find(name)).status, LoadResult::Loaded);
    playRound(*m_engine, {10}); // 120 + 10
    QCOMPARE(save(), SaveOutcome::Saved);
    QCOMPARE(m_dialogs.messages, QStringList(2, savedMessage));
    QCOMPARE(snapshot(m_folder.path()), (TestFiles::Snapshot{{name + QStringLiteral(".scr"), scoreFileBytes(m_engine->standings())}}));
}

void TestSaveCommand::theLoadedGameIsSavedToItsOwnFileWithoutAsking_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("the extension in capitals") << QStringLiteral("GAME.SCR");
    QTest::newRow("Hangul and spaces") << QStringLiteral(" 결승 전.Scr");
}

void TestSaveCommand::theLoadedGameIsSavedToItsOwnFileWithoutAsking()
{
    QFETCH(QString, fileName);
    QVERIFY(TestFiles::writeAll(pathOf(fileName), "1;500;50\r\n" + TestFiles::cp949(QStringLiteral("믿음;10\r\n"))));
    const auto game = m_folder.list().value(0);
    QCOMPARE(game.fileName, fileName);
    QCOMPARE(loadSavedGame(*m_engine, m_folder, game).status, LoadResult::Loaded);

    playRound(*m_engine, {50}); // 10 + 50
    QCOMPARE(save(), SaveOutcome::Saved);
    QVERIFY(m_dialogs.inputPrompts.isEmpty());
    QVERIFY(m_dialogs.questions.isEmpty());
    QCOMPARE(m_dialogs.messages, QStringList{savedMessage});
    QVERIFY(!m_engine->changedSinceSave());
    // No second file beside it.
    QCOMPARE(snapshot(m_folder.path()),
             (TestFiles::Snapshot{{fileName, "1;500;50\r\n" + TestFiles::cp949(QStringLiteral("믿음;60\r\n"))}}));
}

void TestSaveCommand::aFailedSaveSaysSoAndLeavesTheStandingsUnsaved_data()
{
    QTest::addColumn<QString>("folder"); // below the temporary folder; empty: none set
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<bool>("blockerIsFolder");
    QTest::newRow("a folder where the file should be")
        << QStringLiteral("games") << QStringLiteral("games/blocked.scr") << true;
    QTest::newRow("a file where the folder should be")
        << QStringLiteral("games") << QStringLiteral("games") << false;
    QTest::newRow("no saved-games folder") << QString() << QString() << false;
}

void TestSaveCommand::aFailedSaveSaysSoAndLeavesTheStandingsUnsaved()
{
    QFETCH(QString, folder);
    QFETCH(QString, blocker);
    QFETCH(bool, blockerIsFolder);
    const QDir dir(m_dir->path());
    if (blockerIsFolder)
        QVERIFY(dir.mkpath(blocker));
    else if (!blocker.isEmpty())
        QVERIFY(TestFiles::writeAll(dir.filePath(blocker), "the presenter's notes"));
    m_folder = folder.isEmpty() ? SavedGamesFolder() : SavedGamesFolder(dir.filePath(folder));
    m_dialogs.inputAnswers = {QStringLiteral("blocked")};
    const TestFiles::Snapshot before = snapshot(m_dir->path());

    QCOMPARE(save(), SaveOutcome::Failed);
    // The message names the file, in the system's own notation, when there is one.
    const QString file = dir.filePath(folder + QStringLiteral("/blocked.scr"));
    QCOMPARE(m_dialogs.messages,
             QStringList{failedMessage + u'\n'
                         + (folder.isEmpty() ? QStringLiteral("문서 폴더를 찾지 못했습니다") : QDir::toNativeSeparators(file))});
    QVERIFY(m_engine->changedSinceSave());
    QVERIFY(m_engine->hasUnsavedStandings());
    QCOMPARE(snapshot(m_dir->path()), before);
    if (blockerIsFolder)
        QVERIFY(QFileInfo(dir.filePath(blocker)).isDir());
}

QTEST_GUILESS_MAIN(TestSaveCommand)
#include "tst_save_command.moc"

#include "dialogs.h"
#include "game_state.h"
#include "saved_games.h"
#include "score_file.h"
#include "scripted_dialogs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

namespace {

QByteArray cp949(const QString &text)
{
    return QTextCodec::codecForName("windows-949")->fromUnicode(text);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestScoreFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void theTwoTeamExampleComesOutByteForByte();
    void aGameWithNoTeamsWritesTheHeaderAlone();
    void namesRoundTripWithSpacesHangulAndLatin();
    void aNameHoldingASemicolonIsWrittenAsIsAndReadUpToIt();

    void savingANewGameAsksForANameEveryTime();
    void cancelOrABlankAnswerWritesNothingAndSaysNothing();
    void aTypedNameKeepsItsSpaces();
    void unusableNamesAreRefused_data();
    void unusableNamesAreRefused();
    void anExistingGameIsOverwrittenOnlyWhenThePresenterAgrees();
    void savingTheLoadedGameWritesToItsFileWithoutAsking();
    void aNameCodePage949CannotHoldRefusesTheSave();
    void aFailedSaveIsReportedAndKeepsTheOldFile();
    void theFolderIsCreatedWhenFirstNeeded();

    void loadingFillsTheGameStateAndTheCaptions();
    void headerFieldsAfterTheSecondAreIgnored();
    void aHeaderWithOneFieldKeepsTheMaximumScore();
    void fractionsRoundInTheHeaderAndFloorInTeamLines();
    void aLineWithoutSemicolonHasAnEmptyScoreText();
    void anUnreadableScoreLoadsAsZero();
    void aShortFileLoadsTheTeamsItHasAndSaysSo();
    void aFileThatCannotBeReadChangesNothing_data();
    void aFileThatCannotBeReadChangesNothing();
    void teamsBeyondTheSlotsAreReadAndSkipped();
    void aHugeAnnouncedCountStopsAtTheEndOfTheFile();
    void invalidBytesBecomeReplacementCharacters();
    void lineEndsOtherThanCrLfAreAccepted();

    void savedGamesAreListedWithoutTheirExtensionInAnyCase();
    void deletingALinkLeavesItsTargetAlone();

private:
    QTemporaryDir m_dir;
    Module1 m_state;
    ScriptedDialogs m_dialogs;

    QString folder() const { return m_dir.path() + u'/'; }
    QString pathOf(const QString &name) const { return folder() + name + QStringLiteral(".scr"); }
    void setTeams(const QList<QPair<QString, int>> &teams);
};

void TestScoreFile::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
    m_state = Module1();
    m_state.Max_Score = 500;
    m_state.Saved_Games_Folder = folder();
    m_state.Save_Path = folder();
    m_dialogs = ScriptedDialogs();
}

void TestScoreFile::setTeams(const QList<QPair<QString, int>> &teams)
{
    m_state.Team_Count = teams.size();
    for (int i = 0; i < teams.size(); ++i) {
        m_state.Team_Name.set(i, teams[i].first);
        m_state.Team_Score.set(i, teams[i].second);
    }
}

void TestScoreFile::theTwoTeamExampleComesOutByteForByte()
{
    setTeams({{"진리", 120}, {"지혜", 80}});
    m_dialogs.inputAnswers.push_back(QStringLiteral("example"));

    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);

    const QByteArray expected = "2;500;50\r\n" + cp949("진리") + ";120\r\n" + cp949("지혜") + ";80\r\n";
    QCOMPARE(readAll(pathOf("example")), expected);
    QCOMPARE(expected.toHex(), QByteArray("323b3530303b35300d0a"
                                          "c1f8b8ae3b3132300d0a"
                                          "c1f6c7fd3b38300d0a"));
    QCOMPARE(m_dialogs.messages, QStringList{QStringLiteral("점수 저장이 완료되었습니다")});
    QCOMPARE(m_dialogs.inputPrompts, QStringList{QStringLiteral("저장할 화일명을 입력하세요|점수 저장하기")});
}

void TestScoreFile::aGameWithNoTeamsWritesTheHeaderAlone()
{
    QCOMPARE(scoreFileBytes(m_state), QByteArray("0;500;50\r\n"));
    m_state.Team_Count = -3;
    QCOMPARE(scoreFileBytes(m_state), QByteArray("-3;500;50\r\n"));
}

void TestScoreFile::namesRoundTripWithSpacesHangulAndLatin()
{
    setTeams({{" 믿음 팀 ", 10}, {"Team B", -40}, {"사랑", 0}, {"x-7", 7}});
    QVERIFY(!unencodableTeamName(m_state));
    QVERIFY(writeScoreFile(pathOf("trip"), scoreFileBytes(m_state)));

    Module1 loaded;
    loaded.Save_Path = folder();
    const LoadResult result = readScoreFile(loaded, SavedGame::named("trip"));
    QCOMPARE(result.status, LoadResult::Loaded);
    QCOMPARE(loaded.Team_Count, 4);
    QCOMPARE(loaded.Max_Score, 500);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(loaded.Team_Name.value(i), m_state.Team_Name.value(i));
        QCOMPARE(loaded.Team_Score.value(i), m_state.Team_Score.value(i));
    }
    QCOMPARE(result.captions.at(1), QStringLiteral("Team B(-40점)"));
}

void TestScoreFile::aNameHoldingASemicolonIsWrittenAsIsAndReadUpToIt()
{
    setTeams({{"A;B", 30}});
    QCOMPARE(scoreFileBytes(m_state), QByteArray("1;500;50\r\nA;B;30\r\n"));
    QVERIFY(writeScoreFile(pathOf("semi"), scoreFileBytes(m_state)));

    const LoadResult result = readScoreFile(m_state, SavedGame::named("semi"));
    QCOMPARE(m_state.Team_Name.value(0), QStringLiteral("A"));
    QCOMPARE(result.captions.at(0), QStringLiteral("A(B점)"));
    QCOMPARE(m_state.Team_Score.value(0), 0); // "B" is not a number
}

void TestScoreFile::savingANewGameAsksForANameEveryTime()
{
    setTeams({{"믿음", 5}});
    m_dialogs.inputAnswers = {QStringLiteral("one"), QStringLiteral("two")};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QCOMPARE(m_dialogs.inputPrompts.size(), 2);
    QVERIFY(m_state.Game_Name.isEmpty()); // a typed name is not the loaded game
    QVERIFY(QFile::exists(pathOf("one")));
    QVERIFY(QFile::exists(pathOf("two")));
}

void TestScoreFile::cancelOrABlankAnswerWritesNothingAndSaysNothing()
{
    m_dialogs.inputAnswers = {std::nullopt, QStringLiteral("   ")};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Cancelled);
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Cancelled);
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(QDir(m_dir.path()).isEmpty());
}

void TestScoreFile::aTypedNameKeepsItsSpaces()
{
    m_dialogs.inputAnswers = {QStringLiteral(" 결승 ")};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QVERIFY(QFile::exists(pathOf(" 결승 ")));
}

void TestScoreFile::unusableNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"a\\b", "a/b", "c:", "x*", "why?", "say\"", "<", ">", "a|b", ".", "..", ".secret"})
        QTest::newRow(name) << QString::fromUtf8(name);
    QTest::newRow("tab") << QStringLiteral("a\tb");
    QTest::newRow("newline") << QStringLiteral("a\nb");
}

void TestScoreFile::unusableNamesAreRefused()
{
    QFETCH(QString, name);
    m_dialogs.inputAnswers = {name};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Refused);
    QCOMPARE(m_dialogs.messages, QStringList{QStringLiteral("사용할 수 없는 화일명입니다")});
    QVERIFY(QDir(m_dir.path()).isEmpty());
}

void TestScoreFile::anExistingGameIsOverwrittenOnlyWhenThePresenterAgrees()
{
    writeAll(pathOf("final"), "old");
    setTeams({{"믿음", 1}});

    m_dialogs.inputAnswers = {QStringLiteral("final"), QStringLiteral("final")};
    m_dialogs.askAnswers = {false, true};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::NotOverwritten);
    QCOMPARE(readAll(pathOf("final")), QByteArray("old"));
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QCOMPARE(readAll(pathOf("final")), scoreFileBytes(m_state));
    QCOMPARE(m_dialogs.questions,
             QStringList(2, QStringLiteral("같은 이름의 저장된 게임이 있습니다. 덮어쓸까요?")));
}

void TestScoreFile::savingTheLoadedGameWritesToItsFileWithoutAsking()
{
    writeAll(folder() + "GAME.SCR", "1;500;50\r\n" + cp949("믿음") + ";10\r\n");
    const LoadResult result = readScoreFile(m_state, {"GAME", "GAME.SCR"});
    QCOMPARE(result.status, LoadResult::Loaded);
    QCOMPARE(m_state.Game_Name, QStringLiteral("GAME"));

    m_state.Team_Score.set(0, 60);
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QVERIFY(m_dialogs.inputPrompts.isEmpty());
    QVERIFY(m_dialogs.questions.isEmpty());
    QCOMPARE(readAll(folder() + "GAME.SCR"), "1;500;50\r\n" + cp949("믿음") + ";60\r\n");
    QVERIFY(!QFile::exists(pathOf("GAME"))); // no second file beside it
}

void TestScoreFile::aNameCodePage949CannotHoldRefusesTheSave()
{
    setTeams({{"믿음", 1}, {"팀😀", 2}});
    m_dialogs.inputAnswers = {QStringLiteral("emoji")};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Refused);
    QCOMPARE(m_dialogs.messages,
             QStringList{QStringLiteral("저장할 수 없는 글자가 있는 팀 이름입니다: 팀😀")});
    QVERIFY(!QFile::exists(pathOf("emoji")));
}

void TestScoreFile::aFailedSaveIsReportedAndKeepsTheOldFile()
{
    // A folder where the file should be: the file cannot be written.
    QVERIFY(QDir().mkpath(pathOf("blocked")));
    m_dialogs.inputAnswers = {QStringLiteral("blocked")};
    m_dialogs.askAnswers = {true};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Failed);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(m_dialogs.messages.first().startsWith(QStringLiteral("점수를 저장하지 못했습니다\n")));
    QVERIFY(m_dialogs.messages.first().contains(QStringLiteral("blocked.scr")));
    QVERIFY(QFileInfo(pathOf("blocked")).isDir());
}

void TestScoreFile::theFolderIsCreatedWhenFirstNeeded()
{
    m_state.Saved_Games_Folder = folder() + QStringLiteral("Zanto 점수판/");
    m_dialogs.inputAnswers = {QStringLiteral("first")};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QVERIFY(QFile::exists(m_state.Saved_Games_Folder + "first.scr"));
}

void TestScoreFile::loadingFillsTheGameStateAndTheCaptions()
{
    writeAll(pathOf("g"), "2;700;50\r\n" + cp949("진리") + ";120\r\n" + cp949("지혜") + ";80\r\n");
    m_state.Add_Score.set(0, 9);
    m_state.Standings_Changed = true;

    const LoadResult result = Read_Score_File(m_state, SavedGame::named("g"), m_dialogs);

    QCOMPARE(result.status, LoadResult::Loaded);
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_state.Team_Count, 2);
    QCOMPARE(m_state.Max_Score, 700);
    QCOMPARE(m_state.Game_Name, QStringLiteral("g"));
    QCOMPARE(m_state.Team_Name.value(0), QStringLiteral("진리"));
    QCOMPARE(m_state.Team_Score.value(1), 80);
    QCOMPARE(m_state.Add_Score.value(0), 9); // pending points are not the file's business
    QVERIFY(!m_state.Standings_Changed);
    QCOMPARE(result.captions, (QStringList{"진리(120점)", "지혜(80점)", "", "", "", "", "", ""}));
    QCOMPARE(result.grayedTeams, 2);
}

void TestScoreFile::headerFieldsAfterTheSecondAreIgnored()
{
    writeAll(pathOf("a"), "1;700;junk;more\r\nx;1\r\n");
    writeAll(pathOf("b"), "1;700\r\nx;1\r\n");
    QCOMPARE(readScoreFile(m_state, SavedGame::named("a")).status, LoadResult::Loaded);
    QCOMPARE(m_state.Max_Score, 700);
    m_state.Max_Score = 500;
    QCOMPARE(readScoreFile(m_state, SavedGame::named("b")).status, LoadResult::Loaded);
    QCOMPARE(m_state.Max_Score, 700);
}

void TestScoreFile::aHeaderWithOneFieldKeepsTheMaximumScore()
{
    writeAll(pathOf("a"), "1\r\nx;1\r\n");
    writeAll(pathOf("b"), "1;lots\r\nx;1\r\n");
    m_state.Max_Score = 800;
    QCOMPARE(readScoreFile(m_state, SavedGame::named("a")).status, LoadResult::Loaded);
    QCOMPARE(m_state.Max_Score, 800);
    QCOMPARE(readScoreFile(m_state, SavedGame::named("b")).status, LoadResult::Loaded);
    QCOMPARE(m_state.Max_Score, 800);
}

void TestScoreFile::fractionsRoundInTheHeaderAndFloorInTeamLines()
{
    writeAll(pathOf("f"), "2.5;500.5;50\r\n" + cp949("지혜") + ";80.6\r\nb;-3.5\r\nc;9\r\n");
    readScoreFile(m_state, SavedGame::named("f"));
    QCOMPARE(m_state.Team_Count, 2);
    QCOMPARE(m_state.Max_Score, 500);
    QCOMPARE(m_state.Team_Score.value(0), 80);
    QCOMPARE(m_state.Team_Score.value(1), -4);
}

void TestScoreFile::aLineWithoutSemicolonHasAnEmptyScoreText()
{
    writeAll(pathOf("n"), "1;500;50\r\n" + cp949("지혜") + "\r\n");
    m_state.Team_Score.set(0, 55);
    const LoadResult result = readScoreFile(m_state, SavedGame::named("n"));
    QCOMPARE(m_state.Team_Name.value(0), QStringLiteral("지혜"));
    QCOMPARE(result.captions.at(0), QStringLiteral("지혜(점)"));
    QCOMPARE(m_state.Team_Score.value(0), 0);
}

void TestScoreFile::anUnreadableScoreLoadsAsZero()
{
    // An earlier game's score in the slot must not survive into this one.
    writeAll(pathOf("z"), "2;500;50\r\na;\r\nb;many\r\n");
    m_state.Team_Score.set(0, 99);
    m_state.Team_Score.set(1, 98);
    readScoreFile(m_state, SavedGame::named("z"));
    QCOMPARE(m_state.Team_Score.value(0), 0);
    QCOMPARE(m_state.Team_Score.value(1), 0);
}

void TestScoreFile::aShortFileLoadsTheTeamsItHasAndSaysSo()
{
    writeAll(pathOf("s"), "4;500;50\r\na;1\r\nb;2\r\n");
    m_state.Team_Name.set(2, QStringLiteral("old"));
    const LoadResult result = Read_Score_File(m_state, SavedGame::named("s"), m_dialogs);
    QCOMPARE(result.status, LoadResult::Partial);
    QCOMPARE(m_state.Team_Count, 2);
    QCOMPARE(m_state.Team_Name.value(2), QStringLiteral("old")); // no copy of the last team
    QCOMPARE(result.grayedTeams, 2);
    QCOMPARE(result.captions.at(2), QString());
    QCOMPARE(m_dialogs.messages, QStringList{QStringLiteral("저장된 게임의 일부만 불러왔습니다")});
}

void TestScoreFile::aFileThatCannotBeReadChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("count not a number") << QByteArray("two;500;50\r\na;1\r\n") << true;
    QTest::newRow("negative count") << QByteArray("-2;500;50\r\n") << true;
    QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\x01", 4) << true;
    QTest::newRow("overlong header") << QByteArray(Max_Line_Length + 1, '7') << true;
    QTest::newRow("overlong team line") << "1;500;50\r\n" + QByteArray(Max_Line_Length + 10, 'a') << true;
}

void TestScoreFile::aFileThatCannotBeReadChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    if (exists)
        writeAll(pathOf("bad"), bytes);
    setTeams({{"믿음", 5}});
    m_state.Game_Name = QStringLiteral("before");

    const LoadResult result = Read_Score_File(m_state, SavedGame::named("bad"), m_dialogs);

    QCOMPARE(result.status, LoadResult::Failed);
    QVERIFY(result.captions.isEmpty());
    QCOMPARE(m_state.Team_Count, 1);
    QCOMPARE(m_state.Max_Score, 500);
    QCOMPARE(m_state.Team_Name.value(0), QStringLiteral("믿음"));
    QCOMPARE(m_state.Game_Name, QStringLiteral("before"));
    QCOMPARE(m_dialogs.messages, QStringList{QStringLiteral("저장된 게임을 불러오지 못했습니다\nbad")});
}

void TestScoreFile::teamsBeyondTheSlotsAreReadAndSkipped()
{
    QByteArray bytes = "12;500;50\r\n";
    for (int i = 0; i < 12; ++i)
        bytes += "t" + QByteArray::number(i) + ";" + QByteArray::number(i * 10) + "\r\n";
    writeAll(pathOf("many"), bytes);
    const LoadResult result = readScoreFile(m_state, SavedGame::named("many"));
    QCOMPARE(result.status, LoadResult::Loaded);
    QCOMPARE(m_state.Team_Count, 12);
    QCOMPARE(m_state.Team_Name.value(10), QStringLiteral("t10"));
    QCOMPARE(m_state.Team_Score.value(10), 100);
    QCOMPARE(result.grayedTeams, 8);
    QCOMPARE(result.captions.size(), 8);
}

void TestScoreFile::aHugeAnnouncedCountStopsAtTheEndOfTheFile()
{
    QByteArray bytes("2000000000;500;50\r\na;1\r\n");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const auto content = parseScoreFile(buffer);
    QVERIFY(content);
    QCOMPARE(content->teamCount, 2000000000);
    QCOMPARE(content->teamLinesRead, 1);
    QVERIFY(!content->complete());
}

void TestScoreFile::invalidBytesBecomeReplacementCharacters()
{
    // 0xB0 opens a two-byte character that a space cannot close.
    writeAll(pathOf("inv"), QByteArray("1;500;50\r\nA\xb0 B;5\r\n"));
    readScoreFile(m_state, SavedGame::named("inv"));
    const QString name = m_state.Team_Name.value(0);
    QVERIFY(name.startsWith(u'A'));
    QVERIFY(name.endsWith(u'B'));
    QVERIFY(name.contains(QChar(QChar::ReplacementCharacter)));
    QCOMPARE(m_state.Team_Score.value(0), 5);
}

void TestScoreFile::lineEndsOtherThanCrLfAreAccepted()
{
    writeAll(pathOf("lf"), "2;500;50\na;1\rb;2");
    QCOMPARE(readScoreFile(m_state, SavedGame::named("lf")).status, LoadResult::Loaded);
    QCOMPARE(m_state.Team_Name.value(1), QStringLiteral("b"));
    QCOMPARE(m_state.Team_Score.value(1), 2);
}

void TestScoreFile::savedGamesAreListedWithoutTheirExtensionInAnyCase()
{
    for (const char *name : {"game.scr", "a.scr.scr", "GAME.SCR", " space.scr", "notes.txt", ".hidden.scr"})
        writeAll(folder() + QString::fromUtf8(name), "0;500;50\r\n");
    QDir().mkpath(folder() + "folder.scr");

    const QList<SavedGame> games = listSavedGames(folder());
    QStringList names;
    for (const SavedGame &g : games)
        names.append(g.name + u'=' + g.fileName);
    names.sort();
    QCOMPARE(names, (QStringList{" space= space.scr", "GAME=GAME.SCR", "a.scr=a.scr.scr", "game=game.scr"}));
    QVERIFY(listSavedGames(folder() + "missing/").isEmpty());
}

void TestScoreFile::deletingALinkLeavesItsTargetAlone()
{
    QTemporaryDir outside;
    const QString target = outside.path() + "/precious.scr";
    writeAll(target, "1;500;50\r\nx;1\r\n");
    QVERIFY(QFile::link(target, pathOf("link")));

    QVERIFY(deleteSavedGame(folder(), SavedGame::named("link")));
    QVERIFY(!QFileInfo::exists(pathOf("link")));
    QVERIFY(QFile::exists(target));
    QVERIFY(!deleteSavedGame(folder(), SavedGame::named("link"))); // nothing left to delete
    QVERIFY(!deleteSavedGame(folder(), {"up", "../precious.scr"}));
}

QTEST_GUILESS_MAIN(TestScoreFile)
#include "tst_score_file.moc"

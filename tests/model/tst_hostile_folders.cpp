#include "game_state.h"
#include "saved_games.h"
#include "score_file.h"
#include "scripted_dialogs.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray game(const QString &team, int score)
{
    return "1;500;50\r\n" + cp949(team) + ';' + QByteArray::number(score) + "\r\n";
}

QStringList namesOf(const QList<SavedGame> &games)
{
    QStringList names;
    for (const SavedGame &g : games)
        names.append(g.name);
    names.sort();
    return names;
}

} // namespace

class TestHostileFolders : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void aLinkToAGameInsideIsAnotherNameForIt();
    void aLinkToAGameOutsideLoadsItButDeletingRemovesOnlyTheLink();
    void savingALinkedGameUpdatesTheGameItShows();
    void aDanglingLinkIsNoGame();
    void aLinkToAFolderIsNoGameAndDeletingItLeavesTheFolderAlone();
    void aFolderNamedLikeASavedGameIsNeitherListedNorDeleted();
    void hiddenFilesAreNotListed();
    void hangulSpacesAndLetterCaseNameTheirOwnFiles();
    void aNameDifferingOnlyInLetterCaseAsksBeforeReplacingTheGame();
    void aLinkPlantedUnderTheTemporaryNameIsNotWrittenThrough();
    void temporaryFilesOfAbandonedSavesAreSwept();

private:
    QString folder() const { return m_dir.path() + u'/'; }
    LoadResult load(const QString &name);

    QTemporaryDir m_dir;
    QTemporaryDir m_outside;
    Module1 m_state;
    ScriptedDialogs m_dialogs;
};

void TestHostileFolders::init()
{
    for (const QTemporaryDir *dir : {&m_dir, &m_outside}) {
        QVERIFY(dir->isValid());
        QDir(dir->path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir->path()));
    }
    m_state = Module1();
    m_state.Max_Score = 500;
    m_state.Team_Count = 1;
    m_state.Team_Name.set(0, QStringLiteral("before"));
    m_state.Saved_Games_Folder = folder();
    m_state.Save_Path = folder();
    m_dialogs = ScriptedDialogs();
}

LoadResult TestHostileFolders::load(const QString &name)
{
    const QList<SavedGame> games = listSavedGames(folder());
    const auto it = std::find_if(games.begin(), games.end(),
                                 [&](const SavedGame &g) { return g.name == name; });
    return Read_Score_File(m_state, it != games.end() ? *it : SavedGame::named(name), m_dialogs);
}

void TestHostileFolders::aLinkToAGameInsideIsAnotherNameForIt()
{
    writeAll(folder() + "game.scr", game(QStringLiteral("믿음"), 40));
    QVERIFY(QFile::link("game.scr", folder() + "alias.scr"));

    QCOMPARE(namesOf(listSavedGames(folder())), (QStringList{"alias", "game"}));
    QCOMPARE(load("alias").status, LoadResult::Loaded);
    QCOMPARE(m_state.Team_Name.value(0), QStringLiteral("믿음"));

    QVERIFY(deleteSavedGame(folder(), SavedGame::named("alias")));
    QCOMPARE(namesOf(listSavedGames(folder())), QStringList{"game"});
    QCOMPARE(readAll(folder() + "game.scr"), game(QStringLiteral("믿음"), 40));
}

void TestHostileFolders::aLinkToAGameOutsideLoadsItButDeletingRemovesOnlyTheLink()
{
    const QString target = m_outside.path() + "/precious.scr";
    writeAll(target, game(QStringLiteral("소망"), 70));
    QVERIFY(QFile::link(target, folder() + "far.scr"));
    // A chain of links ends outside just the same.
    QVERIFY(QFile::link(folder() + "far.scr", folder() + "farther.scr"));

    QCOMPARE(namesOf(listSavedGames(folder())), (QStringList{"far", "farther"}));
    QCOMPARE(load("farther").status, LoadResult::Loaded);
    QCOMPARE(m_state.Team_Score.value(0), 70);

    QVERIFY(deleteSavedGame(folder(), SavedGame::named("farther")));
    QVERIFY(deleteSavedGame(folder(), SavedGame::named("far")));
    QVERIFY(listSavedGames(folder()).isEmpty());
    QCOMPARE(readAll(target), game(QStringLiteral("소망"), 70));
}

void TestHostileFolders::savingALinkedGameUpdatesTheGameItShows()
{
    const QString target = m_outside.path() + "/real.scr";
    writeAll(target, game(QStringLiteral("소망"), 70));
    QVERIFY(QFile::link(target, folder() + "alias.scr"));
    QCOMPARE(load("alias").status, LoadResult::Loaded);

    m_state.Team_Score.set(0, 95);
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QCOMPARE(readAll(target), game(QStringLiteral("소망"), 95));
    QVERIFY(QFileInfo(folder() + "alias.scr").isSymLink());
    QCOMPARE(QDir(m_outside.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"real.scr"});
}

void TestHostileFolders::aDanglingLinkIsNoGame()
{
    QVERIFY(QFile::link(m_outside.path() + "/gone.scr", folder() + "ghost.scr"));
    QVERIFY(QFile::link("loop.scr", folder() + "loop.scr"));
    QVERIFY(listSavedGames(folder()).isEmpty());

    QCOMPARE(load("ghost").status, LoadResult::Failed);
    QCOMPARE(load("loop").status, LoadResult::Failed);
    QCOMPARE(m_state.Team_Name.value(0), QStringLiteral("before"));
    QVERIFY(m_state.Game_Name.isEmpty());
    QCOMPARE(m_dialogs.messages, (QStringList{QStringLiteral("저장된 게임을 불러오지 못했습니다\nghost"),
                                              QStringLiteral("저장된 게임을 불러오지 못했습니다\nloop")}));
    QVERIFY(!QFileInfo::exists(m_outside.path() + "/gone.scr"));
}

void TestHostileFolders::aLinkToAFolderIsNoGameAndDeletingItLeavesTheFolderAlone()
{
    const QString elsewhere = m_outside.path() + "/album.scr";
    QVERIFY(QDir().mkpath(elsewhere));
    writeAll(elsewhere + "/inside.scr", game(QStringLiteral("x"), 1));
    QVERIFY(QFile::link(elsewhere, folder() + "album.scr"));

    QVERIFY(listSavedGames(folder()).isEmpty());
    QCOMPARE(load("album").status, LoadResult::Failed);
    deleteSavedGame(folder(), SavedGame::named("album"));
    QCOMPARE(readAll(elsewhere + "/inside.scr"), game(QStringLiteral("x"), 1));
}

void TestHostileFolders::aFolderNamedLikeASavedGameIsNeitherListedNorDeleted()
{
    QVERIFY(QDir().mkpath(folder() + "round.scr"));
    writeAll(folder() + "round.scr/keep.txt", "notes");

    QVERIFY(listSavedGames(folder()).isEmpty());
    QCOMPARE(load("round").status, LoadResult::Failed);
    QVERIFY(!deleteSavedGame(folder(), SavedGame::named("round")));
    QCOMPARE(readAll(folder() + "round.scr/keep.txt"), QByteArray("notes"));
}

void TestHostileFolders::hiddenFilesAreNotListed()
{
    writeAll(folder() + ".secret.scr", game(QStringLiteral("x"), 1));
    writeAll(folder() + ".scr", game(QStringLiteral("x"), 1));
    writeAll(folder() + "shown.scr", game(QStringLiteral("x"), 1));
    QCOMPARE(namesOf(listSavedGames(folder())), QStringList{"shown"});
}

void TestHostileFolders::hangulSpacesAndLetterCaseNameTheirOwnFiles()
{
    writeAll(folder() + QStringLiteral("결승 전.SCR"), game(QStringLiteral("결승"), 1));
    writeAll(folder() + QStringLiteral(" 공백 .Scr"), game(QStringLiteral("공백"), 2));
    writeAll(folder() + "Game.scr", game(QStringLiteral("upper"), 3));
    writeAll(folder() + "game.scr", game(QStringLiteral("lower"), 4));

    QCOMPARE(namesOf(listSavedGames(folder())),
             (QStringList{QStringLiteral(" 공백 "), "Game", "game", QStringLiteral("결승 전")}));
    QCOMPARE(load(QStringLiteral(" 공백 ")).status, LoadResult::Loaded);
    QCOMPARE(m_state.Team_Score.value(0), 2);
    QCOMPARE(load("Game").status, LoadResult::Loaded);
    QCOMPARE(m_state.Team_Name.value(0), QStringLiteral("upper"));

    // Saved again, the loaded game keeps the file it came from.
    QCOMPARE(load(QStringLiteral("결승 전")).status, LoadResult::Loaded);
    m_state.Team_Score.set(0, 11);
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QCOMPARE(readAll(folder() + QStringLiteral("결승 전.SCR")), game(QStringLiteral("결승"), 11));

    const QList<SavedGame> games = listSavedGames(folder());
    const auto lower = std::find_if(games.begin(), games.end(),
                                    [](const SavedGame &g) { return g.name == u"game"; });
    QVERIFY(lower != games.end());
    QVERIFY(deleteSavedGame(folder(), *lower));
    QCOMPARE(namesOf(listSavedGames(folder())),
             (QStringList{QStringLiteral(" 공백 "), "Game", QStringLiteral("결승 전")}));
    QCOMPARE(readAll(folder() + "Game.scr"), game(QStringLiteral("upper"), 3));
}

void TestHostileFolders::aNameDifferingOnlyInLetterCaseAsksBeforeReplacingTheGame()
{
    // On Windows "FINAL.scr" is the very file "final.scr": replacing it must ask.
    writeAll(folder() + "final.scr", game(QStringLiteral("old"), 1));
    m_dialogs.inputAnswers = {QStringLiteral("FINAL"), QStringLiteral("Final")};
    m_dialogs.askAnswers = {false, true};

    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::NotOverwritten);
    QCOMPARE(readAll(folder() + "final.scr"), game(QStringLiteral("old"), 1));
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QCOMPARE(m_dialogs.questions.size(), 2);
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{"final.scr"});
    QCOMPARE(readAll(folder() + "final.scr"), scoreFileBytes(m_state));
}

void TestHostileFolders::aLinkPlantedUnderTheTemporaryNameIsNotWrittenThrough()
{
    const QString victim = m_outside.path() + "/victim.txt";
    writeAll(victim, "untouched");
    QVERIFY(QFile::link(victim, folder() + ".game.scr.zanto-save"));

    QVERIFY(writeScoreFile(folder() + "game.scr", game(QStringLiteral("x"), 5)));
    QCOMPARE(readAll(victim), QByteArray("untouched"));
    QCOMPARE(readAll(folder() + "game.scr"), game(QStringLiteral("x"), 5));
    QCOMPARE(QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{"game.scr"});
}

void TestHostileFolders::temporaryFilesOfAbandonedSavesAreSwept()
{
    const auto plant = [this](const QString &name, qint64 secondsAgo) {
        writeAll(folder() + name, "half a game");
        QFile file(folder() + name);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-secondsAgo),
                                 QFileDevice::FileModificationTime));
    };
    plant(".old.scr.zanto-save", 3600);
    plant(".busy.scr.zanto-save", 1); // another copy of the program saving right now
    writeAll(folder() + "notes.zanto-save", "not hidden, not ours");

    QVERIFY(writeScoreFile(folder() + "game.scr", game(QStringLiteral("x"), 5)));
    QStringList left = QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    left.sort();
    QCOMPARE(left, (QStringList{".busy.scr.zanto-save", "game.scr", "notes.zanto-save"}));
}

QTEST_GUILESS_MAIN(TestHostileFolders)
#include "tst_hostile_folders.moc"

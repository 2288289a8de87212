// Saved-games folders holding things a presenter did not put there: links,
// folders named like games, names that differ only in letter case, the
// leftovers of killed writes.
#include "crash_safe_write.h"
#include "game_engine.h"
#include "game_loading.h"
#include "game_setup.h"
#include "saved_games_folder.h"
#include "score_file.h"
#include "test_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using TestFiles::readAll;
using TestFiles::writeAll;

namespace {

QByteArray game(const QString &team, int score)
{
    return "1;500;50\r\n" + TestFiles::cp949(team) + ';' + QByteArray::number(score) + "\r\n";
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

// QFile::link makes a shortcut file on Windows, not a symbolic link.
#ifdef Q_OS_UNIX
#define REQUIRE_SYMBOLIC_LINKS()
#else
#define REQUIRE_SYMBOLIC_LINKS() QSKIP("symbolic links are made only on POSIX systems")
#endif

class TestHostileFolders : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void aLinkToAGameInsideIsAnotherNameForIt();
    void aLinkToAGameOutsideLoadsItButRemovingTakesOnlyTheLink();
    void savingALinkedGameReplacesTheLinkAndLeavesWhatItPointedTo();
    void aDanglingLinkIsNoGame();
    void aLinkToAFolderIsNoGameAndRemovingItLeavesTheFolderAlone();
    void aFolderNamedLikeASavedGameIsNeitherListedNorLoadedNorRemoved();
    void hangulSpacesAndLetterCaseNameTheirOwnFiles();
    void aLinkPlantedUnderTheTemporaryNameIsNotWrittenThrough();
    void temporaryFilesOfAbandonedWritesAreSwept();

private:
    QString folder() const { return m_dir->path() + u'/'; }
    QString outside() const { return m_outside->path() + u'/'; }
    // Loads the listed game of that name (or one named so, when none is listed).
    LoadResult load(const QString &name);
    void saveLoadedGame();

    std::optional<QTemporaryDir> m_dir;
    std::optional<QTemporaryDir> m_outside;
    SavedGamesFolder m_folder;
    std::optional<GameEngine> m_engine;
};

void TestHostileFolders::init()
{
    m_dir.emplace();
    m_outside.emplace();
    QVERIFY(m_dir->isValid() && m_outside->isValid());
    m_folder = SavedGamesFolder(m_dir->path());
    m_engine.emplace();
    setUpGame(*m_engine, {{QStringLiteral("before"), 0}});
}

LoadResult TestHostileFolders::load(const QString &name)
{
    const QList<SavedGame> games = m_folder.list();
    const auto it = std::find_if(games.begin(), games.end(),
                                 [&](const SavedGame &g) { return g.name == name; });
    return loadSavedGame(*m_engine, m_folder, it != games.end() ? *it : SavedGame::named(name));
}

// What the save command writes for a game that came from the folder.
void TestHostileFolders::saveLoadedGame()
{
    QVERIFY(m_engine->savedGame());
    QVERIFY(writeCrashSafe(m_folder.filePath(*m_engine->savedGame()), scoreFileBytes(m_engine->standings())));
}

void TestHostileFolders::aLinkToAGameInsideIsAnotherNameForIt()
{
    REQUIRE_SYMBOLIC_LINKS();
    QVERIFY(writeAll(folder() + "game.scr", game(QStringLiteral("믿음"), 40)));
    QVERIFY(QFile::link("game.scr", folder() + "alias.scr"));

    QCOMPARE(namesOf(m_folder.list()), (QStringList{"alias", "game"}));
    QCOMPARE(load("alias").status, LoadResult::Loaded);
    QCOMPARE(m_engine->teamName(0), QStringLiteral("믿음"));

    QVERIFY(m_folder.remove(SavedGame::named("alias")));
    QCOMPARE(namesOf(m_folder.list()), QStringList{"game"});
    QCOMPARE(readAll(folder() + "game.scr"), game(QStringLiteral("믿음"), 40));
}

void TestHostileFolders::aLinkToAGameOutsideLoadsItButRemovingTakesOnlyTheLink()
{
    REQUIRE_SYMBOLIC_LINKS();
    const QString target = outside() + "precious.scr";
    QVERIFY(writeAll(target, game(QStringLiteral("소망"), 70)));
    QVERIFY(QFile::link(target, folder() + "far.scr"));
    // A chain of links ends outside just the same.
    QVERIFY(QFile::link(folder() + "far.scr", folder() + "farther.scr"));

    QCOMPARE(namesOf(m_folder.list()), (QStringList{"far", "farther"}));
    QCOMPARE(load("farther").status, LoadResult::Loaded);
    QCOMPARE(m_engine->score(0), 70);

    QVERIFY(m_folder.remove(SavedGame::named("farther")));
    QVERIFY(m_folder.remove(SavedGame::named("far")));
    QVERIFY(!m_folder.remove(SavedGame::named("far"))); // nothing left to remove
    QVERIFY(m_folder.list().isEmpty());
    QCOMPARE(readAll(target), game(QStringLiteral("소망"), 70));
}

void TestHostileFolders::savingALinkedGameReplacesTheLinkAndLeavesWhatItPointedTo()
{
    REQUIRE_SYMBOLIC_LINKS();
    const QString target = outside() + "real.scr";
    QVERIFY(writeAll(target, game(QStringLiteral("소망"), 70)));
    QVERIFY(QFile::link(target, folder() + "alias.scr"));
    QCOMPARE(load("alias").status, LoadResult::Loaded);

    // Saving never writes outside the saved-games folder: the game becomes a
    // file of its own there.
    playRound(*m_engine, {25}); // 70 + 25
    saveLoadedGame();
    QVERIFY(!QFileInfo(folder() + "alias.scr").isSymLink());
    QCOMPARE(readAll(folder() + "alias.scr"), game(QStringLiteral("소망"), 95));
    QCOMPARE(readAll(target), game(QStringLiteral("소망"), 70));
    QCOMPARE(TestFiles::snapshot(outside()).keys(), QStringList{"real.scr"});
}

void TestHostileFolders::aDanglingLinkIsNoGame()
{
    REQUIRE_SYMBOLIC_LINKS();
    QVERIFY(QFile::link(outside() + "gone.scr", folder() + "ghost.scr"));
    QVERIFY(QFile::link("loop.scr", folder() + "loop.scr"));
    QVERIFY(m_folder.list().isEmpty());

    QCOMPARE(load("ghost").status, LoadResult::Failed);
    QCOMPARE(load("loop").status, LoadResult::Failed);
    QCOMPARE(m_engine->teamName(0), QStringLiteral("before"));
    QVERIFY(!m_engine->savedGame());
    QVERIFY(!QFileInfo::exists(outside() + "gone.scr"));
}

void TestHostileFolders::aLinkToAFolderIsNoGameAndRemovingItLeavesTheFolderAlone()
{
    REQUIRE_SYMBOLIC_LINKS();
    const QString elsewhere = outside() + "album.scr";
    QVERIFY(QDir().mkpath(elsewhere));
    QVERIFY(writeAll(elsewhere + "/inside.scr", game(QStringLiteral("x"), 1)));
    QVERIFY(QFile::link(elsewhere, folder() + "album.scr"));

    QVERIFY(m_folder.list().isEmpty());
    QCOMPARE(load("album").status, LoadResult::Failed);
    m_folder.remove(SavedGame::named("album"));
    QCOMPARE(readAll(elsewhere + "/inside.scr"), game(QStringLiteral("x"), 1));
}

void TestHostileFolders::aFolderNamedLikeASavedGameIsNeitherListedNorLoadedNorRemoved()
{
    QVERIFY(QDir().mkpath(folder() + "round.scr"));
    QVERIFY(writeAll(folder() + "round.scr/keep.txt", "notes"));

    QVERIFY(m_folder.list().isEmpty());
    QCOMPARE(load("round").status, LoadResult::Failed);
    QVERIFY(!m_folder.remove(SavedGame::named("round")));
    QCOMPARE(readAll(folder() + "round.scr/keep.txt"), QByteArray("notes"));
}

void TestHostileFolders::hangulSpacesAndLetterCaseNameTheirOwnFiles()
{
    QVERIFY(writeAll(folder() + QStringLiteral("결승 전.SCR"), game(QStringLiteral("결승"), 1)));
    QVERIFY(writeAll(folder() + QStringLiteral(" 공백 .Scr"), game(QStringLiteral("공백"), 2)));
    QVERIFY(writeAll(folder() + "Game.scr", game(QStringLiteral("upper"), 3)));

    QCOMPARE(namesOf(m_folder.list()), (QStringList{QStringLiteral(" 공백 "), "Game", QStringLiteral("결승 전")}));
    QCOMPARE(load(QStringLiteral(" 공백 ")).status, LoadResult::Loaded);
    QCOMPARE(m_engine->score(0), 2);
    QCOMPARE(load("Game").status, LoadResult::Loaded);
    QCOMPARE(m_engine->teamName(0), QStringLiteral("upper"));
    // Saved again, the loaded game keeps the file it came from.
    QCOMPARE(load(QStringLiteral("결승 전")).status, LoadResult::Loaded);
    playRound(*m_engine, {10}); // 1 + 10
    saveLoadedGame();
    QCOMPARE(readAll(folder() + QStringLiteral("결승 전.SCR")), game(QStringLiteral("결승"), 11));

    if (QFile::exists(folder() + "GAME.SCR"))
        QSKIP("this file system does not tell names apart by letter case");
    QVERIFY(writeAll(folder() + "game.scr", game(QStringLiteral("lower"), 4)));
    QCOMPARE(namesOf(m_folder.list()),
             (QStringList{QStringLiteral(" 공백 "), "Game", "game", QStringLiteral("결승 전")}));
    QCOMPARE(load("game").status, LoadResult::Loaded);
    QCOMPARE(m_engine->teamName(0), QStringLiteral("lower"));

    QVERIFY(m_folder.remove(*m_engine->savedGame()));
    QCOMPARE(namesOf(m_folder.list()), (QStringList{QStringLiteral(" 공백 "), "Game", QStringLiteral("결승 전")}));
    QCOMPARE(readAll(folder() + "Game.scr"), game(QStringLiteral("upper"), 3));
}

void TestHostileFolders::aLinkPlantedUnderTheTemporaryNameIsNotWrittenThrough()
{
    REQUIRE_SYMBOLIC_LINKS();
    const QString victim = outside() + "victim.txt";
    QVERIFY(writeAll(victim, "untouched"));
    // Under every name this process is about to use.
    QStringList planted;
    for (int n = 1; n <= 60; ++n) {
        planted.append(QStringLiteral(".zanto-%1-%2.tmp").arg(QCoreApplication::applicationPid()).arg(n));
        QVERIFY(QFile::link(victim, folder() + planted.last()));
    }

    QVERIFY(writeCrashSafe(folder() + "game.scr", game(QStringLiteral("x"), 5)));
    QCOMPARE(readAll(victim), QByteArray("untouched"));
    QCOMPARE(readAll(folder() + "game.scr"), game(QStringLiteral("x"), 5));
    QStringList left = TestFiles::snapshot(folder()).keys();
    QVERIFY(left.removeOne("game.scr"));
    planted.sort();
    QCOMPARE(left, planted);
}

void TestHostileFolders::temporaryFilesOfAbandonedWritesAreSwept()
{
#ifndef Q_OS_UNIX
    QSKIP("the writers here are identified by POSIX process numbers");
#else
    // No process has a number this high on Linux (at most 2^22).
    QVERIFY(writeAll(folder() + ".zanto-2147483647-1.tmp", "half a game"));
    QVERIFY(writeAll(folder() + QStringLiteral(".zanto-%1-1.tmp").arg(::getppid()), "a copy saving right now"));
    QVERIFY(writeAll(folder() + ".old.scr.zanto-save", "not of this pattern"));
    QVERIFY(writeAll(folder() + "notes.zanto-save", "not hidden, not ours"));

    QVERIFY(writeCrashSafe(folder() + "game.scr", game(QStringLiteral("x"), 5)));
    QCOMPARE(TestFiles::snapshot(folder()).keys(),
             (QStringList{QStringLiteral(".old.scr.zanto-save"), QStringLiteral(".zanto-%1-1.tmp").arg(::getppid()),
                          "game.scr", "notes.zanto-save"}));
#endif
}

QTEST_GUILESS_MAIN(TestHostileFolders)
#include "tst_hostile_folders.moc"

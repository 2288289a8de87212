#include "save_command.h"

#include "crash_safe_write.h"
#include "dialogs.h"
#include "game_engine.h"
#include "saved_games_folder.h"
#include "score_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// Whether two names in a folder are one entry (on a file system that does not
// tell letter case apart), links not followed.
bool isSameEntry(const QString &one, const QString &other)
{
#ifdef Q_OS_UNIX
    struct stat a;
    struct stat b;
    return ::lstat(QFile::encodeName(one).constData(), &a) == 0
           && ::lstat(QFile::encodeName(other).constData(), &b) == 0 && a.st_dev == b.st_dev
           && a.st_ino == b.st_ino;
#else
    return one.compare(other, Qt::CaseInsensitive) == 0;
#endif
}

// The game a save under `game`'s name would replace. The file system is
// asked first, without following a link and whether or not the folder can be
// listed; a listed game differing only in letter case names the very file
// where the system does not tell letter case apart.
std::optional<SavedGame> replacedGame(const SavedGamesFolder &folder, const SavedGame &game)
{
    if (!folder.isSet())
        return std::nullopt;
    const std::optional<SavedGame> listed = folder.find(game.name);
    const QFileInfo target(folder.filePath(game));
    if (!target.isSymLink() && target.isDir())
        return std::nullopt; // no game to replace: the write fails and says so
    if (target.exists() || target.isSymLink())
        return listed && isSameEntry(folder.filePath(*listed), target.filePath()) ? listed : game;
    return listed;
}

} // namespace

namespace {

QString shownInMessage(const QString &name)
{
    constexpr qsizetype longest = 60;
    return name.size() <= longest ? name : name.left(longest) + u'…';
}

} // namespace

SaveOutcome saveStandings(GameEngine &engine, const SavedGamesFolder &folder, Dialogs &dialogs)
{
    SavedGame game;
    bool typed = false;
    if (engine.savedGame()) {
        game = *engine.savedGame();
    } else {
        const auto answer = dialogs.input(QStringLiteral("저장할 화일명을 입력하세요"),
                                          QStringLiteral("점수 저장하기"), QString());
        if (!answer || answer->trimmed().isEmpty())
            return SaveOutcome::Cancelled;
        const QString name = *answer;
        if (!SavedGamesFolder::isUsableName(name)) {
            dialogs.message(QStringLiteral("사용할 수 없는 화일명입니다"));
            return SaveOutcome::Refused;
        }
        game = SavedGame::named(name);
        if (const auto existing = replacedGame(folder, game)) {
            if (!dialogs.ask(QStringLiteral("같은 이름의 저장된 게임이 있습니다. 덮어쓸까요?\n")
                             + existing->fileName))
                return SaveOutcome::NotOverwritten;
            game = *existing;
        }
        typed = true;
    }

    const Standings standings = engine.standings();
    if (const auto bad = unwritableTeamName(standings)) {
        const QString text = bad->reason == UnwritableTeamName::Unencodable
                                 ? QStringLiteral("저장할 수 없는 글자가 있는 팀 이름입니다: ")
                                 : QStringLiteral("사용할 수 없는 팀 이름입니다: ");
        // A name long enough to be refused would not fit a message box.
        dialogs.message(text + shownInMessage(bad->name));
        return SaveOutcome::Refused;
    }
    if (!folder.isSet()) {
        dialogs.message(QStringLiteral("점수를 저장하지 못했습니다\n문서 폴더를 찾지 못했습니다"));
        return SaveOutcome::Failed;
    }
    const QString path = folder.filePath(game);
    if (!writeCrashSafe(path, scoreFileBytes(standings))) {
        dialogs.message(QStringLiteral("점수를 저장하지 못했습니다\n") + QDir::toNativeSeparators(path));
        return SaveOutcome::Failed;
    }
    // Saved under a typed name, the game is the file's from now on: the next
    // save goes there without asking, and the board's title names it.
    if (typed)
        engine.setSavedGame(game);
    engine.markSaved();
    dialogs.message(QStringLiteral("점수 저장이 완료되었습니다"));
    return SaveOutcome::Saved;
}

bool confirmLeaving(const GameEngine &engine, Dialogs &dialogs)
{
    return !engine.hasUnsavedStandings()
           || dialogs.ask(QStringLiteral("저장하지 않은 점수가 있습니다. 종료할까요?"));
}

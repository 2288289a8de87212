#include "save_command.h"

#include "crash_safe_write.h"
#include "dialogs.h"
#include "game_engine.h"
#include "saved_games_folder.h"
#include "score_file.h"

#include <QDir>

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
        if (const auto existing = folder.find(name)) {
            if (!dialogs.ask(QStringLiteral("같은 이름의 저장된 게임이 있습니다. 덮어쓸까요?")))
                return SaveOutcome::NotOverwritten;
            game = *existing;
        }
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
        dialogs.message(QStringLiteral("점수를 저장하지 못했습니다"));
        return SaveOutcome::Failed;
    }
    const QString path = folder.filePath(game);
    if (!writeCrashSafe(path, scoreFileBytes(standings))) {
        dialogs.message(QStringLiteral("점수를 저장하지 못했습니다\n") + QDir::toNativeSeparators(path));
        return SaveOutcome::Failed;
    }
    engine.markSaved();
    dialogs.message(QStringLiteral("점수 저장이 완료되었습니다"));
    return SaveOutcome::Saved;
}

bool confirmLeaving(const GameEngine &engine, Dialogs &dialogs)
{
    return !engine.hasUnsavedStandings()
           || dialogs.ask(QStringLiteral("저장하지 않은 점수가 있습니다. 종료할까요?"));
}

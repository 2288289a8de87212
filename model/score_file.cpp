#include "score_file.h"

#include "conversions.h"
#include "dialogs.h"
#include "game_state.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include <algorithm>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <io.h>
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Qt built with ICU knows the code page as "windows-949", Qt's own codecs
// as "cp949". A Qt without either still reads and writes files without
// crashing: Latin-1 refuses to save Hangul names instead of mangling them.
QTextCodec *codePage949()
{
    static QTextCodec *const codec = [] {
        for (const char *name : {"windows-949", "cp949", "CP949"}) {
            if (QTextCodec *found = QTextCodec::codecForName(name))
                return found;
        }
        return QTextCodec::codecForName("ISO-8859-1");
    }();
    return codec;
}

const QByteArray lineEnd = QByteArrayLiteral("\r\n");

// Reads one line of at most Max_Line_Length bytes; CR LF, CR and LF all end a
// line. No value at the end of the data; `tooLong` tells an overlong line.
std::optional<QByteArray> readLine(QIODevice &device, bool &tooLong)
{
    QByteArray line;
    char c = 0;
    bool any = false;
    while (device.getChar(&c)) {
        any = true;
        if (c == '\n')
            return line;
        if (c == '\r') {
            char next = 0;
            if (device.getChar(&next) && next != '\n')
                device.ungetChar(next);
            return line;
        }
        if (line.size() >= Max_Line_Length) {
            tooLong = true;
            return std::nullopt;
        }
        line.append(c);
    }
    if (!any)
        return std::nullopt;
    return line;
}

QString decode(const QByteArray &bytes)
{
    return codePage949()->toUnicode(bytes);
}

int teamsInPlay(const Module1 &state)
{
    return std::clamp(state.Team_Count, 0, Module1::Slot_Count);
}

// A save is written to a hidden temporary file beside the game and renamed
// over it only when complete. The temporary's name is fixed per game, so a
// save that was killed half way leaves at most one behind, which the next
// save of that game replaces; others are swept once surely abandoned.
const QString temporarySuffix = QStringLiteral(".zanto-save");

QString temporarySaveName(const QString &fileName)
{
    return u'.' + fileName + temporarySuffix;
}

void removeStaleSaves(const QDir &folder)
{
    const QDateTime abandoned = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList stale = folder.entryInfoList({QStringLiteral(".*") + temporarySuffix},
                                                     QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : stale) {
        if (!entry.isSymLink() && entry.lastModified().toUTC() < abandoned)
            QFile::remove(entry.absoluteFilePath());
    }
}

bool syncToDisk(QFile &file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// Replaces `target` by `source` in one step: at every moment the target's
// name holds either the old file or the new one.
bool replaceFile(const QString &source, const QString &target)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(source).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(target).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return ::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0;
#endif
}

// Makes the rename itself durable, so a power cut right after a save that
// was reported complete cannot bring back the old game.
void syncFolder(const QDir &folder)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

QByteArray scoreFileBytes(const Module1 &state)
{
    QString text = numberText(state.Team_Count) + u';' + numberText(state.Max_Score)
                   + QStringLiteral(";50");
    QByteArray bytes = codePage949()->fromUnicode(text) + lineEnd;
    // A count beyond the slots writes the teams that exist.
    for (int i = 0; i < teamsInPlay(state); ++i) {
        text = state.Team_Name.value(i) + u';' + numberText(state.Team_Score.value(i));
        bytes += codePage949()->fromUnicode(text) + lineEnd;
    }
    return bytes;
}

std::optional<QString> unencodableTeamName(const Module1 &state)
{
    for (int i = 0; i < teamsInPlay(state); ++i) {
        const QString name = state.Team_Name.value(i);
        if (!codePage949()->canEncode(name))
            return name;
    }
    return std::nullopt;
}

bool isUsableSaveName(const QString &name)
{
    // A leading dot would hide the file, and the list would never show the game.
    if (name.isEmpty() || name.startsWith(u'.'))
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c);
    });
}

bool writeScoreFile(const QString &path, const QByteArray &bytes)
{
    // A saved game reached through a link is saved where the link points,
    // as it was loaded from there.
    QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        info = QFileInfo(info.canonicalFilePath());
    if (!QDir().mkpath(info.absolutePath()) || info.isDir())
        return false;
    if (info.exists() && !info.isWritable())
        return false; // a game the presenter protected stays as it is

    const QDir folder = info.absoluteDir();
    removeStaleSaves(folder);
    const QString temporary = folder.filePath(temporarySaveName(info.fileName()));
    // What a killed save left under that name goes first; a fresh file that
    // must not exist yet is never a link planted to write somewhere else.
    QFile::remove(temporary);
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    bool written = file.write(bytes) == bytes.size() && file.flush() && syncToDisk(file);
    if (written && info.exists())
        file.setPermissions(info.permissions());
    file.close();
    written = written && file.error() == QFileDevice::NoError
              && replaceFile(temporary, info.absoluteFilePath());
    if (!written) {
        QFile::remove(temporary);
        return false;
    }
    syncFolder(folder);
    return true;
}

SaveOutcome saveScoreFile(Module1 &state, Dialogs &dialogs)
{
    QString path;
    if (!state.Game_Name.isEmpty()) {
        path = !state.Game_File.isEmpty()
                   ? state.Game_File
                   : savedGamePath(state.Saved_Games_Folder, SavedGame::named(state.Game_Name));
    } else {
        const auto answer = dialogs.input(QStringLiteral("저장할 화일명을 입력하세요"),
                                          QStringLiteral("점수 저장하기"), QString());
        if (!answer || answer->trimmed().isEmpty())
            return SaveOutcome::Cancelled;
        const QString name = *answer;
        if (!isUsableSaveName(name)) {
            dialogs.message(QStringLiteral("사용할 수 없는 화일명입니다"));
            return SaveOutcome::Refused;
        }
        SavedGame game = SavedGame::named(name);
        const QList<SavedGame> existing = listSavedGames(state.Saved_Games_Folder);
        // Names that differ only in letter case are one file on Windows, and
        // two games a presenter cannot tell apart in the list elsewhere.
        auto same = std::find_if(existing.begin(), existing.end(),
                                 [&](const SavedGame &g) { return g.name == name; });
        if (same == existing.end())
            same = std::find_if(existing.begin(), existing.end(), [&](const SavedGame &g) {
                return g.name.compare(name, Qt::CaseInsensitive) == 0;
            });
        if (same != existing.end()) {
            if (!dialogs.ask(QStringLiteral("같은 이름의 저장된 게임이 있습니다. 덮어쓸까요?")))
                return SaveOutcome::NotOverwritten;
            game = *same;
        }
        path = savedGamePath(state.Saved_Games_Folder, game);
    }

    if (const auto bad = unencodableTeamName(state)) {
        dialogs.message(QStringLiteral("저장할 수 없는 글자가 있는 팀 이름입니다: ") + *bad);
        return SaveOutcome::Refused;
    }
    if (state.Saved_Games_Folder.isEmpty() && state.Game_File.isEmpty()) {
        dialogs.message(QStringLiteral("점수를 저장하지 못했습니다"));
        return SaveOutcome::Failed;
    }
    if (!writeScoreFile(path, scoreFileBytes(state))) {
        dialogs.message(QStringLiteral("점수를 저장하지 못했습니다\n") + QDir::toNativeSeparators(path));
        return SaveOutcome::Failed;
    }
    state.Standings_Changed = false;
    dialogs.message(QStringLiteral("점수 저장이 완료되었습니다"));
    return SaveOutcome::Saved;
}

std::optional<ScoreFileContent> parseScoreFile(QIODevice &device)
{
    bool tooLong = false;
    const auto header = readLine(device, tooLong);
    if (!header)
        return std::nullopt;
    const QStringList fields = decode(*header).split(u';');
    const auto count = textToLong(fields.value(0));
    if (!count || *count < 0)
        return std::nullopt;

    ScoreFileContent content;
    content.teamCount = *count;
    if (fields.size() >= 2)
        content.maxScore = textToLong(fields.at(1));

    while (content.teamLinesRead < content.teamCount) {
        const auto line = readLine(device, tooLong);
        if (!line)
            break;
        ++content.teamLinesRead;
        if (content.teams.size() >= Module1::Slot_Count)
            continue; // read and skipped: there is no slot for it
        const QString text = decode(*line) + u';';
        const qsizetype first = text.indexOf(u';');
        const qsizetype second = text.indexOf(u';', first + 1);
        LoadedTeam team;
        team.name = text.left(first);
        team.scoreText = second < 0 ? text.mid(first + 1) : text.mid(first + 1, second - first - 1);
        const auto value = parseNumber(team.scoreText);
        team.score = value ? floorToLong(*value).value_or(0) : 0;
        content.teams.append(team);
    }
    if (tooLong)
        return std::nullopt;
    return content;
}

LoadResult readScoreFile(Module1 &state, const SavedGame &game)
{
    LoadResult result;
    const QString path = savedGamePath(state.Save_Path, game);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return result;
    const auto content = parseScoreFile(file);
    if (!content)
        return result;

    state.Team_Count = content->complete() ? content->teamCount : content->teamLinesRead;
    if (content->maxScore)
        state.Max_Score = *content->maxScore;
    result.captions = QStringList(8, QString());
    for (int i = 0; i < content->teams.size(); ++i) {
        const LoadedTeam &team = content->teams.at(i);
        state.Team_Name.set(i, team.name);
        state.Team_Score.set(i, team.score);
        if (i < result.captions.size()) {
            result.captions[i] = team.name + u'(' + team.scoreText + QStringLiteral("점)");
            result.grayedTeams = i + 1;
        }
    }
    state.Game_Name = game.name;
    state.Game_File = path;
    state.Standings_Changed = false;
    result.status = content->complete() ? LoadResult::Loaded : LoadResult::Partial;
    return result;
}

LoadResult Read_Score_File(Module1 &state, const SavedGame &game, Dialogs &dialogs)
{
    const LoadResult result = readScoreFile(state, game);
    if (result.status == LoadResult::Failed)
        dialogs.message(QStringLiteral("저장된 게임을 불러오지 못했습니다\n") + game.name);
    else if (result.status == LoadResult::Partial)
        dialogs.message(QStringLiteral("저장된 게임의 일부만 불러왔습니다"));
    return result;
}

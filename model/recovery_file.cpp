#include "recovery_file.h"

#include "game_limits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString formatName = QStringLiteral("zanto-scoreboard recovery");
constexpr int formatVersion = 1;

std::optional<qint32> toInt32(const QJsonValue &value)
{
    const double number = value.toDouble();
    if (!value.isDouble() || std::trunc(number) != number
        || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(number);
}

// A plain file name in the saved-games folder, as its list shows games.
bool isSavedGameFileName(const QString &fileName)
{
    if (fileName.startsWith(u'.') || !fileName.endsWith(QStringLiteral(".scr"), Qt::CaseInsensitive))
        return false;
    return std::none_of(fileName.begin(), fileName.end(), [](QChar c) {
        return c.unicode() < 0x20 || c == u'/' || c == u'\\';
    });
}

std::optional<TeamStanding> readTeam(const QJsonValue &value)
{
    const QJsonObject team = value.toObject();
    const QJsonValue name = team.value(u"name");
    const auto score = toInt32(team.value(u"score"));
    if (!name.isString() || name.toString().size() > MaxScoreFileLine || !score)
        return std::nullopt;
    return TeamStanding{name.toString(), *score};
}

} // namespace

QByteArray recoveryFileBytes(const RecoveredGame &game)
{
    QJsonArray teams;
    for (const TeamStanding &team : game.standings.teams)
        teams.append(QJsonObject{{u"name"_qs, team.name}, {u"score"_qs, team.score}});
    QJsonObject root{
        {u"format"_qs, formatName},
        {u"version"_qs, formatVersion},
        {u"maxScore"_qs, game.standings.maxScore},
        {u"teams"_qs, teams},
    };
    if (game.savedGame) {
        root.insert(u"savedGame"_qs, QJsonObject{{u"name"_qs, game.savedGame->name},
                                                {u"fileName"_qs, game.savedGame->fileName}});
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<RecoveredGame> parseRecoveryFile(const QByteArray &bytes)
{
    if (bytes.size() > MaxRecoveryFileSize)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    if (root.value(u"format") != formatName || toInt32(root.value(u"version")) != formatVersion)
        return std::nullopt;

    RecoveredGame game;
    const auto maxScore = toInt32(root.value(u"maxScore"));
    const QJsonValue teams = root.value(u"teams");
    if (!maxScore || !teams.isArray() || teams.toArray().size() > TeamSlots)
        return std::nullopt;
    game.standings.maxScore = *maxScore;
    for (const QJsonValue &value : teams.toArray()) {
        const auto team = readTeam(value);
        if (!team)
            return std::nullopt;
        game.standings.teams.append(*team);
    }
    game.standings.announcedTeamCount = qint32(game.standings.teams.size());

    if (root.contains(u"savedGame")) {
        const QJsonObject saved = root.value(u"savedGame").toObject();
        const QJsonValue name = saved.value(u"name");
        const QJsonValue fileName = saved.value(u"fileName");
        if (!name.isString() || !fileName.isString() || !isSavedGameFileName(fileName.toString()))
            return std::nullopt;
        game.savedGame = SavedGame{name.toString(), fileName.toString()};
    }
    return game;
}

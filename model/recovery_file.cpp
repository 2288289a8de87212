#include "recovery_file.h"

#include "game_limits.h"
#include "team_name.h"

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
    if (!name.isString() || !TeamName::isUsable(name.toString()) || !score)
        return std::nullopt;
    return TeamStanding{name.toString(), *score};
}

QJsonArray teamsArray(const QList<TeamStanding> &teams)
{
    QJsonArray array;
    for (const TeamStanding &team : teams)
        array.append(QJsonObject{{u"name"_qs, team.name}, {u"score"_qs, team.score}});
    return array;
}

// The teams and the maximum of a game or of one of its steps.
std::optional<Standings> readStandings(const QJsonObject &object)
{
    const auto maxScore = toInt32(object.value(u"maxScore"));
    const QJsonValue teams = object.value(u"teams");
    // A game of no teams leaves no file, and a start takes no more teams
    // than the board has rows.
    if (!maxScore || *maxScore <= 0 || !teams.isArray() || teams.toArray().isEmpty()
        || teams.toArray().size() > BoardRows)
        return std::nullopt;
    Standings standings{0, *maxScore, {}};
    for (const QJsonValue &value : teams.toArray()) {
        const auto team = readTeam(value);
        if (!team)
            return std::nullopt;
        standings.teams.append(*team);
    }
    standings.announcedTeamCount = qint32(standings.teams.size());
    return standings;
}

QJsonArray stepsArray(const QList<Standings> &steps)
{
    QJsonArray array;
    for (qsizetype i = std::max<qsizetype>(0, steps.size() - MaxRecoveredSteps); i < steps.size(); ++i)
        array.append(QJsonObject{{u"maxScore"_qs, steps.at(i).maxScore}, {u"teams"_qs, teamsArray(steps.at(i).teams)}});
    return array;
}

std::optional<QList<Standings>> readSteps(const QJsonObject &root, QStringView key)
{
    QList<Standings> steps;
    if (!root.contains(key))
        return steps;
    const QJsonValue value = root.value(key);
    if (!value.isArray() || value.toArray().size() > MaxRecoveredSteps)
        return std::nullopt;
    for (const QJsonValue &step : value.toArray()) {
        const auto standings = readStandings(step.toObject());
        if (!standings)
            return std::nullopt;
        steps.append(*standings);
    }
    return steps;
}

bool isBoundedString(const QJsonValue &value)
{
    return value.isString() && value.toString().size() <= MaxSavedGameNameLength;
}

} // namespace

QByteArray recoveryFileBytes(const RecoveredGame &game)
{
    QJsonObject root{
        {u"format"_qs, formatName},
        {u"version"_qs, formatVersion},
        {u"maxScore"_qs, game.standings.maxScore},
        {u"teams"_qs, teamsArray(game.standings.teams)},
    };
    if (game.changedAt.isValid())
        root.insert(u"changedAt"_qs, game.changedAt.toUTC().toString(Qt::ISODate));
    if (!game.history.undoSteps.isEmpty())
        root.insert(u"undo"_qs, stepsArray(game.history.undoSteps));
    if (!game.history.redoSteps.isEmpty())
        root.insert(u"redo"_qs, stepsArray(game.history.redoSteps));
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
    const auto standings = readStandings(root);
    const auto undoSteps = readSteps(root, u"undo");
    const auto redoSteps = readSteps(root, u"redo");
    if (!standings || !undoSteps || !redoSteps)
        return std::nullopt;
    game.standings = *standings;
    game.history = {*undoSteps, *redoSteps};
    if (root.contains(u"changedAt")) {
        const QJsonValue changedAt = root.value(u"changedAt");
        game.changedAt = QDateTime::fromString(changedAt.toString(), Qt::ISODate);
        if (!changedAt.isString() || !game.changedAt.isValid())
            return std::nullopt;
    }

    if (root.contains(u"savedGame")) {
        const QJsonObject saved = root.value(u"savedGame").toObject();
        const QJsonValue name = saved.value(u"name");
        const QJsonValue fileName = saved.value(u"fileName");
        if (!isBoundedString(name) || !isBoundedString(fileName)
            || !isSavedGameFileName(fileName.toString()))
            return std::nullopt;
        game.savedGame = SavedGame{name.toString(), fileName.toString()};
    }
    return game;
}

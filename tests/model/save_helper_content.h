#pragma once

#include "score_file.h"

#include <QByteArray>
#include <QString>

// The two games the saving helper writes: full score files of different
// lengths, long enough that a torn write would show.
inline QByteArray saveLoopContent(int which)
{
    Standings standings;
    standings.announcedTeamCount = which == 0 ? 8 : 5;
    standings.maxScore = which == 0 ? 500 : 900;
    for (int i = 0; i < standings.announcedTeamCount; ++i)
        standings.teams.append({QStringLiteral("팀%1 ").arg(i).repeated(which == 0 ? 900 : 500),
                                which == 0 ? i * 10 : -i * 7});
    return scoreFileBytes(standings);
}

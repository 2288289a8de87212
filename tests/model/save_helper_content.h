#pragma once

#include "game_state.h"
#include "score_file.h"

#include <QByteArray>
#include <QString>

// The two saved games the saving loop writes in turn: full score files of
// different lengths, long enough that a torn write would show.
inline QByteArray saveLoopContent(int which)
{
    Module1 state;
    state.Team_Count = which == 0 ? 8 : 5;
    state.Max_Score = which == 0 ? 500 : 900;
    for (int i = 0; i < state.Team_Count; ++i) {
        state.Team_Name.set(i, QStringLiteral("팀%1 ").arg(i).repeated(which == 0 ? 900 : 500));
        state.Team_Score.set(i, which == 0 ? i * 10 : -i * 7);
    }
    return scoreFileBytes(state);
}

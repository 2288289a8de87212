#include "game_state.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>

bool Module1::hasUnsavedStandings() const
{
    if (Standings_Changed)
        return true;
    const int inPlay = std::clamp(Team_Count, 0, Slot_Count);
    for (int i = 0; i < inPlay; ++i) {
        if (Add_Score.value(i) != 0)
            return true;
    }
    return false;
}

QString defaultSavedGamesFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).filePath(QStringLiteral("Zanto 점수판")) + u'/';
}

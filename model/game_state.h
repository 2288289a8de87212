#pragma once

#include "slot_array.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class CLSmonitors;
class clsmonitor;

// The game state both windows work on: which teams play, their names,
// committed scores and pending points, the scale of the bars, the loaded
// saved game and the monitor chosen for the board. One instance lives for the
// whole run; the windows read and assign its members directly.
//
// The teams in play occupy slots 0 to Team_Count - 1. A slot beyond them
// keeps whatever an earlier game left there.
struct Module1
{
    static constexpr int Slot_Count = 11;

    SlotArray<qint32, Slot_Count> Team_Score; // committed score
    SlotArray<qint32, Slot_Count> Add_Score;  // points of this round, not yet committed
    SlotArray<QString, Slot_Count> Team_Name;
    qint32 Team_Count = 0;
    qint32 Max_Score = 0; // the score a full-length bar stands for

    QString Game_Name; // name of the loaded saved game; "" in a new game
    QString Game_File; // path of the file that game was loaded from
    QString Save_Path; // folder of the saved games, with a trailing separator

    // Where the saved games are kept: a folder in the user's documents unless
    // a test hands in another one. The listing copies it into Save_Path.
    QString Saved_Games_Folder;

    bool Use_Monitor = false; // place the board on the chosen monitor when it loads
    std::shared_ptr<CLSmonitors> Mon_List;
    std::shared_ptr<clsmonitor> Mon_Item;
    qint16 Mon_Index = 0;
    qint32 Mon_Count = 0;
    qint32 Mon_Left = 0;
    qint32 Mon_Top = 0;
    qint32 Mon_Width = 0;
    qint32 Mon_Height = 0;

    // Set when the standings change (a commit or a rename) and cleared when
    // they are saved or loaded.
    bool Standings_Changed = false;

    // True when leaving now would lose something: changed standings or
    // points entered for a team in play that were never committed.
    bool hasUnsavedStandings() const;
};

// The saved-game folder the program uses outside tests: "Zanto 점수판" in the
// user's documents folder, with a trailing separator.
QString defaultSavedGamesFolder();

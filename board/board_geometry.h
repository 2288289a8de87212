#pragma once

#include <QColor>
#include <QtGlobal>

#include <array>
#include <optional>

// The board's layout and bar arithmetic as plain functions, so the numbers
// can be checked without a window.
namespace board {

inline constexpr int Banner_Height = 260;    // Image1
inline constexpr int Command_Bar_Height = 71; // Picture2
inline constexpr int Row_Height = 50;        // TCmd, TeamLabel, T_Pic
inline constexpr int Team_Button_Left = 4;
inline constexpr int Team_Button_Width = 159;
inline constexpr int Figure_Width = 140;
inline constexpr int Frame_Count = 6;        // frames of the running figure
inline constexpr int Scale_Margin = 304;     // inner width the bar scale leaves out
inline constexpr int Leave_From_Right = 74;  // Command5
inline constexpr int Max_Box_From_Right = 370; // Text1 and Label1
inline constexpr int Arrows_From_Max_Box = 190; // Command7 / Command8
inline constexpr int Animation_Ticks = 150;
inline constexpr int Highlight_Ticks = 50;
inline constexpr int Tick_Interval_Ms = 50;
inline constexpr int Board_Slots = 8;        // slots with row controls
inline constexpr int Animation_Slots = 9;    // Bar_Step / Bar_Value slots

inline const QColor Window_Green{57, 181, 74};

// The eight slot colours; the winner's highlight runs through them in order.
QColor slotColour(int slot);

// The gap above, between and below the rows: the free height shared out
// evenly, rounded half to even. No value when it cannot be computed
// (a team count of -1 divides by zero).
std::optional<qint32> rowGap(int innerHeight, qint32 teamCount);

// Top of row `slot` for a given gap.
qint64 rowTop(int slot, qint32 gap);

// Pixels per score point; no value for a maximum score of 0.
std::optional<double> scoreScale(int innerWidth, qint32 maxScore);

// The bar length for a committed score, as the board stores it (single
// precision); no value for a negative length, which a bar does not take.
std::optional<float> barLength(double scale, qint32 score);

// The next frame of the running figure: 0 after 5.
constexpr qint16 nextFrame(qint16 frame) { return frame == Frame_Count - 1 ? 0 : qint16(frame + 1); }
constexpr qint16 nextColour(qint16 colour) { return colour == Board_Slots - 1 ? 0 : qint16(colour + 1); }

} // namespace board

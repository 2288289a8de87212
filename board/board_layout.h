#pragma once

#include <QtGlobal>

#include <optional>

// The board's geometry: the design size its controls are placed for, the
// three bands (banner, team rows, command bar) and the arithmetic that lays
// the rows out for any window height.
namespace BoardLayout {

inline constexpr int DesignWidth = 1024;
inline constexpr int DesignHeight = 766;
inline constexpr int BannerHeight = 260;
inline constexpr int CommandBarHeight = 71;
inline constexpr int DesignCommandBarTop = 698;

// The team rows: a name button, the score bar right of it and the running
// figure at the bar's tip.
inline constexpr int RowHeight = 50;
inline constexpr int DesignRowPitch = 52; // rows before the first layout
inline constexpr int TeamButtonLeft = 4;
inline constexpr int TeamButtonWidth = 159;
inline constexpr int DesignBarLeft = 162;
inline constexpr int FigureWidth = 140;

// Top of row `row` before the first layout.
constexpr int designRowTop(int row) { return BannerHeight + DesignRowPitch * row; }

// The gap above, between and below the rows: the free height shared out
// evenly, rounded half to even. No value when it cannot be computed
// (a row count of -1 divides by zero).
std::optional<qint32> rowGap(int innerHeight, qint32 rows);

// Top of row `row` for a given gap.
qint64 rowTop(int row, qint32 gap);

} // namespace BoardLayout

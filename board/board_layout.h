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

// How much larger than its design the board is drawn. Up to the design
// size the board keeps its design pixels; on a larger client area every
// size the design fixes (fonts, buttons, rows, figures, banner, command
// bar, margins) grows by the smaller of width / 1024 and height / 766, so
// the board fills a projector of any size the same way. Sizes are in
// logical pixels, so a screen's own scaling multiplies on top of it: a 4K
// screen at 200 % looks like one at 100 %.
class BoardScale
{
public:
    BoardScale() = default;
    static BoardScale forClientSize(int width, int height);

    double factor() const { return m_factor; }
    bool isDesign() const { return m_factor == 1.0; }
    // A design length at this scale, in whole pixels.
    int px(int designPixels) const;
    // A place `designLeft` pixels from the left of a design-wide board, kept
    // as far from the right edge of a board `width` wide as at the design.
    int fromRight(int designLeft, int width) const;

    bool operator==(const BoardScale &) const = default;

private:
    explicit BoardScale(double factor) : m_factor(factor) {}
    double m_factor = 1.0;
};

// The gap above, between and below the rows: the free height shared out
// evenly, rounded half to even. No value when it cannot be computed
// (a row count of -1 divides by zero).
std::optional<qint32> rowGap(int innerHeight, qint32 rows, BoardScale scale = {});

// Top of row `row` for a given gap.
qint64 rowTop(int row, qint32 gap, BoardScale scale = {});

} // namespace BoardLayout

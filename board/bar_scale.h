#pragma once

#include <QtGlobal>

#include <optional>

// The arithmetic of the bars: how many pixels a score point takes on a board
// of a given width, and how long a committed score's bar is.

// The width a full bar leaves for the team buttons and the running figure.
inline constexpr int TrackMargin = 304;

// Pixels per score point on a board `boardWidth` wide, a full bar standing
// for `maxScore`; no value for a maximum of 0. `margin` is TrackMargin at
// the board's scale.
std::optional<double> scoreScale(int boardWidth, qint32 maxScore, int margin = TrackMargin);

// The bar length for a score, in single precision as the board keeps it:
// none for a negative score. No value when there is no length at all (a
// scale that is not a number).
std::optional<float> barLength(double scale, double score);

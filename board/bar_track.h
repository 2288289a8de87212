#pragma once

#include "bar_scale.h"
#include "game_limits.h"

#include <array>

class GameEngine;

// The bars in pixels: the engine counts scores, pending points and a race's
// running values in points, and the track turns them into lengths on a board
// of a given width, a full bar standing for the maximum score.
//
// The scale is taken when the bars are redrawn at their committed scores and
// kept while a race runs, so a round grows at one scale even when the board
// is resized in the middle of it; the commit redraws at the new one.
class BarTrack
{
public:
    // A bar's length before its first display.
    static constexpr float DesignBarLength = 95.0f;

    BarTrack();

    // The width of the board the bars are drawn on; the scale follows it at
    // the next redraw.
    void setBoardWidth(int width) { m_boardWidth = width; }
    int boardWidth() const { return m_boardWidth; }
    // The width a full bar leaves for the buttons and the figure, at the
    // board's scale; the scale follows it at the next redraw.
    void setTrackMargin(int margin) { m_trackMargin = margin; }
    // Pixels per score point, as of the last redraw.
    double scale() const { return m_scale; }
    // A row's bar length, kept in single precision so that a bar growing by
    // a tenth of a pixel a tick really grows.
    float length(int row) const;

    // Every bar shown at the length of its committed score, at the scale of
    // the board's width and the maximum now.
    void showCommittedScores(const GameEngine &engine);
    // Every bar at the length of its race's running value, after a tick.
    void followRace(const GameEngine &engine);
    // Where a row's bar stands `fraction` (0 to 1) of the way from this tick
    // to the next one of a running race, so that a board can draw frames
    // between the ticks; the last frame before the commit is the committed
    // length. The tick's own length outside a race.
    float lengthAhead(const GameEngine &engine, int row, double fraction) const;

private:
    void setLength(int row, float length);

    int m_boardWidth = 0;
    int m_trackMargin = TrackMargin;
    double m_scale = 0.0;
    std::array<float, BoardRows> m_lengths;
};

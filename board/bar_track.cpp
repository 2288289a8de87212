#include "bar_track.h"

#include "bar_scale.h"
#include "game_engine.h"

#include <algorithm>

namespace {

bool isRow(int row)
{
    return row >= 0 && row < BoardRows;
}

} // namespace

BarTrack::BarTrack()
{
    m_lengths.fill(DesignBarLength);
}

float BarTrack::length(int row) const
{
    return isRow(row) ? m_lengths[std::size_t(row)] : 0.0f;
}

void BarTrack::setLength(int row, float length)
{
    // A bar takes no negative (or not-a-number) length: it keeps its own.
    if (isRow(row) && length >= 0.0f)
        m_lengths[std::size_t(row)] = length;
}

void BarTrack::showCommittedScores(const GameEngine &engine)
{
    if (const auto scale = scoreScale(m_boardWidth, engine.maxScore(), m_trackMargin))
        m_scale = *scale;
    for (int row = 0; row < engine.rowsShown(); ++row) {
        if (const auto length = barLength(m_scale, engine.score(row)))
            setLength(row, *length);
    }
}

void BarTrack::followRace(const GameEngine &engine)
{
    for (int row = 0; row < BoardRows; ++row) {
        // A bar below zero has no length: one crossing zero grows from the
        // zero point and ends at its committed length.
        if (const auto length = barLength(m_scale, engine.raceValue(row)))
            setLength(row, *length);
    }
}

float BarTrack::lengthAhead(const GameEngine &engine, int row, double fraction) const
{
    if (!isRow(row))
        return 0.0f;
    const float now = m_lengths[std::size_t(row)];
    const auto value = engine.nextRaceValue(row);
    if (!value)
        return now;
    // The commit redraws at the scale of the board's width then.
    const double scale = engine.nextRaceTickCommits()
                             ? scoreScale(m_boardWidth, engine.maxScore(), m_trackMargin).value_or(m_scale)
                             : m_scale;
    const auto next = barLength(scale, *value);
    if (!next)
        return now;
    const double f = std::clamp(fraction, 0.0, 1.0);
    return float(double(now) + (double(*next) - double(now)) * f);
}

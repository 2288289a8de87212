#include "bar_scale.h"

#include <algorithm>
#include <cmath>

std::optional<double> scoreScale(int boardWidth, qint32 maxScore, int margin)
{
    if (maxScore == 0)
        return std::nullopt;
    return double(boardWidth - margin) / maxScore;
}

std::optional<float> barLength(double scale, double score)
{
    const float length = static_cast<float>(scale * score);
    if (std::isnan(length))
        return std::nullopt;
    return std::max(0.0f, length);
}

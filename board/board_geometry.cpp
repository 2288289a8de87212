#include "board_geometry.h"

#include "conversions.h"

namespace board {

QColor slotColour(int slot)
{
    static const std::array<QColor, Board_Slots> colours{{
        {255, 192, 128}, {128, 255, 128}, {128, 255, 255}, {128, 128, 255},
        {255, 255, 128}, {255, 128, 255}, {255, 128, 128}, {224, 224, 224},
    }};
    if (slot < 0 || slot >= Board_Slots)
        return Window_Green;
    return colours[static_cast<std::size_t>(slot)];
}

std::optional<qint32> rowGap(int innerHeight, qint32 teamCount)
{
    const double n = teamCount;
    const double free = double(innerHeight) - Banner_Height - Command_Bar_Height - Row_Height * n;
    return roundToLong(free / (n + 1));
}

qint64 rowTop(int slot, qint32 gap)
{
    return (qint64(Row_Height) + gap) * slot + Banner_Height + gap;
}

std::optional<double> scoreScale(int innerWidth, qint32 maxScore)
{
    if (maxScore == 0)
        return std::nullopt;
    return double(innerWidth - Scale_Margin) / maxScore;
}

std::optional<float> barLength(double scale, qint32 score)
{
    const float length = static_cast<float>(scale * score);
    if (!(length >= 0.0f))
        return std::nullopt;
    return length;
}

} // namespace board

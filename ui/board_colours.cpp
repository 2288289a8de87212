#include "board_colours.h"

#include <array>
#include <cmath>

namespace BoardColours {

QColor slotColour(int slot)
{
    static const std::array<QColor, 8> colours{{
        {255, 192, 128}, {128, 255, 128}, {128, 255, 255}, {128, 128, 255},
        {255, 255, 128}, {255, 128, 255}, {255, 128, 128}, {224, 224, 224},
    }};
    if (slot < 0 || slot >= int(colours.size()))
        return WindowGreen;
    return colours[std::size_t(slot)];
}

QColor blend(const QColor &front, const QColor &back, qreal share)
{
    const auto mix = [share](int f, int b) { return int(std::lround(b + (f - b) * share)); };
    return QColor(mix(front.red(), back.red()), mix(front.green(), back.green()),
                  mix(front.blue(), back.blue()));
}

} // namespace BoardColours

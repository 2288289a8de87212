#include "board_layout.h"

#include "conversions.h"

#include <algorithm>
#include <cmath>

namespace BoardLayout {

BoardScale BoardScale::forClientSize(int width, int height)
{
    const double grown = std::min(double(width) / DesignWidth, double(height) / DesignHeight);
    return BoardScale(std::max(1.0, grown));
}

int BoardScale::px(int designPixels) const
{
    // Rounded up, so nothing is ever drawn smaller than its share of the
    // board; the tolerance keeps an exact product from rounding up past
    // itself.
    return int(std::ceil(designPixels * m_factor - 1e-9));
}

int BoardScale::fromRight(int designLeft, int width) const
{
    return width - px(DesignWidth - designLeft);
}

std::optional<qint32> rowGap(int innerHeight, qint32 rows, BoardScale scale)
{
    const double n = rows;
    const double free = double(innerHeight) - scale.px(BannerHeight) - scale.px(CommandBarHeight)
                        - scale.px(RowHeight) * n;
    return roundToLong(free / (n + 1));
}

qint64 rowTop(int row, qint32 gap, BoardScale scale)
{
    return (qint64(scale.px(RowHeight)) + gap) * row + scale.px(BannerHeight) + gap;
}

} // namespace BoardLayout

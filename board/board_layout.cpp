#include "board_layout.h"

#include "conversions.h"


namespace BoardLayout {

std::optional<qint32> rowGap(int innerHeight, qint32 rows)
{
    const double n = rows;
    const double free = double(innerHeight) - BannerHeight - CommandBarHeight - RowHeight * n;
    return roundToLong(free / (n + 1));
}

qint64 rowTop(int row, qint32 gap)
{
    return (qint64(RowHeight) + gap) * row + BannerHeight + gap;
}

} // namespace BoardLayout

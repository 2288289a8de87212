#pragma once

#include <QColor>
#include <QtGlobal>

// The board's colours, which the presenter's console repeats so that the
// presenter's rows and the audience's match.
namespace BoardColours {

inline const QColor WindowGreen{57, 181, 74};
inline const QColor CommandBarBlack{0, 0, 0};
inline const QColor MaxScoreYellow{255, 255, 0};

// The eight team colours, by slot; the winner's highlight runs through them
// in this order. The window green for anything else.
QColor slotColour(int slot);

// `front` laid over `back` with the given share (0 to 1) of its own colour:
// a partly covered pixel, a colour fading into another.
QColor blend(const QColor &front, const QColor &back, qreal share);

} // namespace BoardColours

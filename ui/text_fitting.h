#pragma once

#include <QFont>
#include <QSize>
#include <QString>

// How a name is fitted into a place of fixed width: its font shrinks to fit,
// down to a floor, and what still does not fit is cut at the end with "…".
// The name itself is never changed, only how it is shown.
struct FittedText
{
    QString text;
    QFont font;
};

namespace TextFitting {

// The smallest share of its font size a name shrinks to before it is cut.
inline constexpr qreal MinimumScale = 0.6;
// How narrow (QFont::stretch, percent) the letters of a name on two lines
// at the smallest size may grow before it is cut, in steps of StretchStep.
inline constexpr int MinimumStretch = 70;
inline constexpr int StretchStep = 5;

FittedText fit(const QString &text, const QFont &font, int width, qreal minimumScale = MinimumScale);

// A team's name in a place of `box` size: whole on one line at its font
// when it fits; otherwise on two lines (broken at a space where one serves,
// else between any two letters), its font shrinking down to the floor as
// far as the two lines need, or on one shrunk line where that leaves the
// letters larger; at the floor its letters grow narrower down to
// MinimumStretch; what still does not fit ends in "…". The lines are
// joined by a line break, as a button caption shows them.
FittedText fitInTwoLines(const QString &text, const QFont &font, QSize box,
                         qreal minimumScale = MinimumScale);

// `text` cut at its end with "…" so that text + suffix fits `width`; the
// suffix always stays whole.
QString elideKeepingSuffix(const QString &text, const QString &suffix, const QFont &font, int width);

} // namespace TextFitting

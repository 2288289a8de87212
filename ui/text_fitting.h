#pragma once

#include <QFont>
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

FittedText fit(const QString &text, const QFont &font, int width, qreal minimumScale = MinimumScale);

// `text` cut at its end with "…" so that text + suffix fits `width`; the
// suffix always stays whole.
QString elideKeepingSuffix(const QString &text, const QString &suffix, const QFont &font, int width);

} // namespace TextFitting

#pragma once

#include <QColor>
#include <QString>

// The style sheet of the board's coloured buttons (the team buttons and ▲
// ▼): the colour over the whole face, a light bevel, the caption in the
// centre, a black frame when the keyboard is on it. The frames grow with a
// board drawn `scale` times its design size.
QString colouredButtonStyle(const QColor &colour, double scale = 1.0);

// A colour as a style sheet writes it: "rgb(r, g, b)".
QString styleSheetColour(const QColor &colour);

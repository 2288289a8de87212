#pragma once

#include <QColor>
#include <QString>

// The style sheet of the board's coloured buttons (the team buttons and ▲
// ▼): the colour over the whole face, a light bevel, the caption in the
// centre, a black frame when the keyboard is on it.
QString colouredButtonStyle(const QColor &colour);

// A colour as a style sheet writes it: "rgb(r, g, b)".
QString styleSheetColour(const QColor &colour);

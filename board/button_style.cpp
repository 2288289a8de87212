#include "button_style.h"

#include <cmath>

QString styleSheetColour(const QColor &colour)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QString colouredButtonStyle(const QColor &colour, double scale)
{
    return QStringLiteral(
               "QPushButton { background-color: %1; color: black; padding: 0px;"
               " border-style: outset; border-width: %4px;"
               " border-color: %2 %3 %3 %2; }"
               "QPushButton:pressed { border-style: inset; border-color: %3 %2 %2 %3; }"
               "QPushButton:focus { outline: none; border-style: solid; border-width: %5px;"
               " border-color: black; }")
        .arg(styleSheetColour(colour), styleSheetColour(colour.lighter(130)),
             styleSheetColour(colour.darker(160)))
        .arg(std::lround(2 * scale))
        .arg(std::lround(3 * scale));
}

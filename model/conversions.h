#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Number conversions of the board and the score file.
//
// Text or a floating-point value becomes an integer by rounding to the
// nearest integer, ties to the even one (2.5 gives 2, 3.5 gives 4). Where a
// value is floored instead, floorToLong says so. A value that does not fit the
// target type, or text that is not a number, gives no value at all.

// The numeric value of `text`: spaces around it, an optional sign, digits with
// an optional decimal point and fraction, an optional exponent.
std::optional<double> parseNumber(const QString &text);

std::optional<qint32> roundToLong(double value);
std::optional<qint16> roundToInteger(double value);
std::optional<qint32> floorToLong(double value);

// A score file's number.
std::optional<qint32> textToLong(const QString &text);
// Points a presenter types: a number as parseNumber reads it, whose whole
// part may also be grouped as the Korean locale groups digits ("1,000",
// "-12,345": one to three digits, then groups of three).
std::optional<qint16> textToInteger(const QString &text);

// Plain decimal digits with a leading minus sign when negative.
QString numberText(qint64 value);

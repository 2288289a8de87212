#include "conversions.h"

#include <cmath>
#include <limits>

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

template <typename T>
std::optional<T> toIntegral(double rounded)
{
    if (!std::isfinite(rounded))
        return std::nullopt;
    if (rounded < static_cast<double>(std::numeric_limits<T>::min())
        || rounded > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(rounded);
}

// `text` without the group separators of its whole part, when they stand
// where the Korean locale puts them; no value when they stand elsewhere.
std::optional<QString> withoutDigitGrouping(const QString &text)
{
    if (!text.contains(u','))
        return text;
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    QString plain = t.left(i);
    qsizetype group = 0;  // digits in the group being read
    bool grouped = false; // a separator was read
    for (; i < n && (isDigit(t[i]) || t[i] == u','); ++i) {
        if (t[i] == u',') {
            // The first group holds one to three digits, every later one three.
            if (group == 0 || group > 3 || (grouped && group != 3))
                return std::nullopt;
            grouped = true;
            group = 0;
            continue;
        }
        plain += t[i];
        ++group;
    }
    if (group != 3)
        return std::nullopt;
    const QString rest = t.mid(i);
    if (rest.contains(u','))
        return std::nullopt;
    return plain + rest;
}

} // namespace

std::optional<double> parseNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && isDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (t[j] == u'+' || t[j] == u'-'))
            ++j;
        const qsizetype expStart = j;
        while (j < n && isDigit(t[j]))
            ++j;
        if (j == expStart)
            return std::nullopt;
        i = j;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> roundToLong(double value)
{
    // nearbyint rounds in the default mode, to nearest with ties to even.
    return toIntegral<qint32>(std::nearbyint(value));
}

std::optional<qint16> roundToInteger(double value)
{
    return toIntegral<qint16>(std::nearbyint(value));
}

std::optional<qint32> floorToLong(double value)
{
    return toIntegral<qint32>(std::floor(value));
}

std::optional<qint32> textToLong(const QString &text)
{
    const auto value = parseNumber(text);
    return value ? roundToLong(*value) : std::nullopt;
}

std::optional<qint16> textToInteger(const QString &text)
{
    const auto plain = withoutDigitGrouping(text);
    const auto value = plain ? parseNumber(*plain) : std::nullopt;
    return value ? roundToInteger(*value) : std::nullopt;
}

QString numberText(qint64 value)
{
    return QString::number(value);
}

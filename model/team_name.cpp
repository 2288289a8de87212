#include "team_name.h"

#include "code_page.h"

#include <algorithm>

namespace TeamName {

namespace {

bool breaksLine(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || c == u';' || c == QChar::LineSeparator
           || c == QChar::ParagraphSeparator;
}

} // namespace

bool isUsable(const QString &name)
{
    if (name.size() > MaxLength)
        return false;
    return std::none_of(name.begin(), name.end(), breaksLine) && CodePage949::canEncode(name);
}

QString fitted(const QString &name)
{
    if (isUsable(name))
        return name;
    QString kept;
    for (qsizetype i = 0; i < name.size() && kept.size() < MaxLength; ++i) {
        // A surrogate pair goes in or stays out whole.
        const qsizetype length = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QString character = name.mid(i, length);
        i += length - 1;
        if (!breaksLine(character.front()) && CodePage949::canEncode(character)
            && kept.size() + length <= MaxLength)
            kept += character;
    }
    return kept;
}

} // namespace TeamName

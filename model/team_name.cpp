#include "team_name.h"

#include "code_page.h"

#include <algorithm>

namespace TeamName {

bool isUsable(const QString &name)
{
    if (name.size() > MaxLength)
        return false;
    const bool plain = std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || c == u';' || c == QChar::LineSeparator
               || c == QChar::ParagraphSeparator;
    });
    return plain && CodePage949::canEncode(name);
}

} // namespace TeamName

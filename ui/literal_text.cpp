#include "literal_text.h"

QString literalText(const QString &text)
{
    QString shown = text;
    return shown.replace(u'&', QStringLiteral("&&"));
}

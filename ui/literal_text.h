#pragma once

#include <QString>

// `text` as a button or check box caption shows it: a caption takes "&" as
// the mark of a keyboard mnemonic, and a team's name is plain text.
QString literalText(const QString &text);

#pragma once

#include <QByteArray>
#include <QString>

// Score files hold their text in code page 949, the code page of Korean
// Windows, so that games move freely between this program and older copies
// there.
namespace CodePage949 {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Whether every character of `text` has a place in the code page.
bool canEncode(const QString &text);

} // namespace CodePage949

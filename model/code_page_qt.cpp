#include "code_page.h"

#include <algorithm>

#include <QTextCodec>

namespace {

// Qt built with ICU knows the code page as "windows-949", Qt's own codecs
// as "cp949". A Qt without either still reads and writes files without
// crashing: Latin-1 refuses to save Hangul names instead of mangling them.
QTextCodec *codec()
{
    static QTextCodec *const found = [] {
        for (const char *name : {"windows-949", "cp949", "CP949"}) {
            if (QTextCodec *codec = QTextCodec::codecForName(name))
                return codec;
        }
        return QTextCodec::codecForName("ISO-8859-1");
    }();
    return found;
}

} // namespace

namespace CodePage949 {

QByteArray encode(const QString &text)
{
    return codec()->fromUnicode(text);
}

QString decode(const QByteArray &bytes)
{
    return codec()->toUnicode(bytes);
}

bool canEncode(const QString &text)
{
    // The codec takes a lone surrogate for encodable and writes "?" for it;
    // the code page has no character outside the BMP, so none may pass.
    const bool surrogates = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
    // U+F8F7 is the single byte 0xFF here; Windows writes it the same way
    // but does not read that byte back, so it is kept out of names, which
    // must read the same on both systems.
    return !surrogates && !text.contains(QChar(0xF8F7)) && codec()->canEncode(text);
}

} // namespace CodePage949

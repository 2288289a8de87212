#include "code_page.h"

#include <algorithm>
#include <optional>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// Code page 949 from Windows itself: the same table every other program on
// the presenter's PC reads and writes these files with. Strict both ways: a
// character the code page has no place for is never replaced by a look-alike
// ("best fit"), and bytes that are no character are never read as one.
namespace {

constexpr UINT codePage = 949;

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// The bytes of `text`, and whether a character had to be written as the
// code page's default ("?") for want of a place.
QByteArray toBytes(const QString &text, bool *usedDefault)
{
    BOOL defaulted = FALSE;
    QByteArray bytes;
    if (!text.isEmpty()) {
        const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide(text), int(text.size()),
                                               nullptr, 0, nullptr, &defaulted);
        bytes.resize(qMax(length, 0));
        if (length > 0)
            WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide(text), int(text.size()), bytes.data(),
                                length, nullptr, &defaulted);
        else
            defaulted = TRUE;
    }
    if (usedDefault)
        *usedDefault = defaulted;
    return bytes;
}

// `bytes` read strictly; no value when any of them is not part of a character.
std::optional<QString> strictText(const char *bytes, int size)
{
    if (size == 0)
        return QString();
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, size,
                        reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
}

bool isLeadByte(uchar byte)
{
    return byte >= 0x81 && byte <= 0xfe;
}

bool isTrailByte(uchar byte)
{
    return byte >= 0x41 && byte <= 0xfe;
}

} // namespace

namespace CodePage949 {

QByteArray encode(const QString &text)
{
    return toBytes(text, nullptr);
}

QString decode(const QByteArray &bytes)
{
    if (const auto whole = strictText(bytes.constData(), int(bytes.size())))
        return *whole;
    // Some bytes are no character: read the rest one character at a time,
    // each broken one becoming a replacement character. A lead byte whose
    // second byte cannot follow it stands alone, so a space or a ";" after
    // it is still read as itself.
    QString text;
    text.reserve(bytes.size());
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        if (data[i] < 0x80) {
            text += QChar(data[i]);
            ++i;
            continue;
        }
        if (isLeadByte(data[i]) && i + 1 < size && isTrailByte(data[i + 1])) {
            const auto pair = strictText(bytes.constData() + i, 2);
            text += pair ? *pair : QString(QChar(QChar::ReplacementCharacter));
            i += 2;
            continue;
        }
        text += QChar(QChar::ReplacementCharacter);
        ++i;
    }
    return text;
}

bool canEncode(const QString &text)
{
    // The code page has no character outside the BMP, and a lone surrogate
    // is no character at all.
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); }))
        return false;
    // Windows' table writes some private-use characters as bytes that its
    // own strict reading refuses; a character counts only if it comes back.
    bool usedDefault = false;
    const QByteArray bytes = toBytes(text, &usedDefault);
    return !usedDefault && strictText(bytes.constData(), int(bytes.size())) == text;
}

} // namespace CodePage949

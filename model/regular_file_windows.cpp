#include "regular_file.h"

#include <QFile>
#include <QFileInfo>

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxSize)
{
    // Pipes and devices have names of their own here (\\.\pipe\, \\.\, CON,
    // NUL): a name of the file system that is a plain file is none of them.
    const QFileInfo info(path);
    if (!info.isFile() || path.startsWith(QStringLiteral("\\\\")) || path.startsWith(QStringLiteral("//"))
        || info.size() > maxSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The file may have grown since it was looked at; one byte more than
    // the bound tells.
    QByteArray bytes = file.read(maxSize + 1);
    if (bytes.size() > maxSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

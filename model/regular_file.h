#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads a whole file the program keeps or was given (a recovery file, a
// saved game, the start sound), only when it is a plain file no larger than
// `maxSize` bytes. A pipe, a device, a folder or a link to one of them is
// refused without waiting for it to open: a pipe where a file should be
// would hold the program up for as long as nobody writes to it, and a
// device like /dev/zero would fill the memory.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxSize);

#pragma once

#include <QByteArray>
#include <QString>

// Writes `bytes` to `path` so that at every moment the path holds either the
// whole old file or the whole new one, even when the program is killed or the
// power fails half way; creates the folder when it is missing. False when
// nothing was written (the old file, if any, is left as it was).
bool writeCrashSafe(const QString &path, const QByteArray &bytes);

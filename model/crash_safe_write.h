#pragma once

#include <QByteArray>
#include <QString>

// Writes `bytes` to `path` so that at every moment the path holds either the
// whole old file or the whole new one, even when the program is killed or the
// power fails half way; creates the folder when it is missing. False when
// nothing was written (the old file, if any, is left as it was).
//
// Nothing is written through `path` itself: a symbolic link standing there is
// replaced by the new file, and what it points to is left as it was.
// Copies of the program saving the same file at once each write a temporary
// of their own; the one renamed last wins.
bool writeCrashSafe(const QString &path, const QByteArray &bytes);

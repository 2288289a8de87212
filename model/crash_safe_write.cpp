#include "crash_safe_write.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <io.h>
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The new file is written to a hidden temporary beside the old one and
// renamed over it only when complete. The temporary's name is fixed per
// file, so a write that was killed half way leaves at most one behind, which
// the next write of that file replaces; others are swept once surely
// abandoned.
const QString temporarySuffix = QStringLiteral(".zanto-save");

QString temporaryName(const QString &fileName)
{
    return u'.' + fileName + temporarySuffix;
}

void removeAbandonedTemporaries(const QDir &folder)
{
    const QDateTime abandoned = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList stale = folder.entryInfoList({QStringLiteral(".*") + temporarySuffix},
                                                     QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : stale) {
        if (!entry.isSymLink() && entry.lastModified().toUTC() < abandoned)
            QFile::remove(entry.absoluteFilePath());
    }
}

bool syncToDisk(QFile &file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// Replaces `target` by `source` in one step.
bool replaceFile(const QString &source, const QString &target)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(source).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(target).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return ::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0;
#endif
}

// Makes the rename itself durable, so a power cut right after a write that
// was reported complete cannot bring back the old file.
void syncFolder(const QDir &folder)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

bool writeCrashSafe(const QString &path, const QByteArray &bytes)
{
    // A file reached through a link is written where the link points, as it
    // was read from there.
    QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        info = QFileInfo(info.canonicalFilePath());
    if (!QDir().mkpath(info.absolutePath()) || info.isDir())
        return false;
    if (info.exists() && !info.isWritable())
        return false; // a file the presenter protected stays as it is

    const QDir folder = info.absoluteDir();
    removeAbandonedTemporaries(folder);
    const QString temporary = folder.filePath(temporaryName(info.fileName()));
    // What a killed write left under that name goes first; a fresh file that
    // must not exist yet is never a link planted to write somewhere else.
    QFile::remove(temporary);
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    bool written = file.write(bytes) == bytes.size() && file.flush() && syncToDisk(file);
    if (written && info.exists())
        file.setPermissions(info.permissions());
    file.close();
    written = written && file.error() == QFileDevice::NoError
              && replaceFile(temporary, info.absoluteFilePath());
    if (!written) {
        QFile::remove(temporary);
        return false;
    }
    syncFolder(folder);
    return true;
}

#include "crash_safe_write.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>
#include <optional>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The new file is written to a hidden temporary beside the old one and
// renamed over it only when complete. The temporary's name is short, so it
// fits whatever the game's own name leaves of the file system's limit, and
// names the process writing it, so two copies saving the same game never
// share one. A write that was killed half way leaves its temporary behind;
// the next write sweeps those whose process is gone.
const QString temporaryPrefix = QStringLiteral(".zanto-");
const QString temporarySuffix = QStringLiteral(".tmp");

qint64 currentProcess()
{
    return QCoreApplication::applicationPid();
}

QString temporaryName()
{
    static std::atomic<quint64> counter = 0;
    return temporaryPrefix + QString::number(currentProcess()) + u'-' + QString::number(++counter)
           + temporarySuffix;
}

// The process that wrote a temporary of ours; no value for any other file.
std::optional<qint64> writerOf(const QString &fileName)
{
    static const QRegularExpression ours(QStringLiteral("^\\.zanto-(\\d{1,10})-\\d{1,20}\\.tmp$"));
    const QRegularExpressionMatch match = ours.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 process = match.captured(1).toLongLong(&ok);
    if (!ok || process <= 0)
        return std::nullopt;
    return process;
}

bool isRunning(qint64 process)
{
    if (process == currentProcess())
        return true;
#ifdef Q_OS_WIN
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(process));
    if (!handle)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(handle, &code) && code == STILL_ACTIVE;
    CloseHandle(handle);
    return running;
#else
    // A process of another user still counts as running.
    return ::kill(pid_t(process), 0) == 0 || errno == EPERM;
#endif
}

// Removes temporaries that a killed write of this program left behind: only
// plain files under our own pattern whose writer has ended. A copy still
// running keeps its temporary, however old.
void removeAbandonedTemporaries(const QDir &folder)
{
    const QFileInfoList candidates = folder.entryInfoList({temporaryPrefix + u'*' + temporarySuffix},
                                                          QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : candidates) {
        const auto writer = writerOf(entry.fileName());
        if (writer && !entry.isSymLink() && entry.isFile() && !isRunning(*writer))
            QFile::remove(entry.absoluteFilePath());
    }
}

bool syncToDisk(QFile &file)
{
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
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
    // Nothing is ever opened through `path`: the new file is made under a
    // fresh name and renamed onto it, so a symbolic link standing there is
    // replaced itself and what it points to, in this folder or elsewhere, is
    // never written.
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    // Windows holds at most 255 UTF-16 units in a name; a file system that
    // would take more (Wine's, on Linux) must not make a file Windows cannot
    // open.
    if (info.fileName().size() > 255)
        return false;
#endif
    const bool isLink = info.isSymLink();
    if (!QDir().mkpath(info.absolutePath()) || (!isLink && info.isDir()))
        return false;
    if (!isLink && info.exists() && !info.isWritable())
        return false; // a file the presenter protected stays as it is

    const QDir folder = info.absoluteDir();
    removeAbandonedTemporaries(folder);
    // NewOnly: a name that exists already, even as a planted link, is not
    // written through; the next number is tried instead.
    QString temporary;
    QFile file;
    for (int attempt = 0; attempt < 100 && !file.isOpen(); ++attempt) {
        temporary = folder.filePath(temporaryName());
        file.setFileName(temporary);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFileInfo(temporary).isSymLink()
            && !QFileInfo::exists(temporary))
            return false; // not a name taken: the folder takes no new file
    }
    if (!file.isOpen())
        return false;
    bool written = file.write(bytes) == bytes.size() && file.flush() && syncToDisk(file);
    if (written && !isLink && info.exists())
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

#include "recovery_store.h"

#include "crash_safe_write.h"
#include "regular_file.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

std::unique_ptr<QLockFile> tryLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // A copy may run for a whole evening: only a copy that is gone leaves
    // a stale lock, never one that has held it long.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

RecoveryStore::RecoveryStore(const QString &folder)
    : m_folder(folder)
{
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::standardFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString RecoveryStore::slotFilePath(int slot) const
{
    return QDir(m_folder).filePath(QStringLiteral("recovery-%1.json").arg(slot + 1));
}

void RecoveryStore::releaseSlot()
{
    m_lock.reset();
    m_slot = -1;
}

QString RecoveryStore::filePath() const
{
    return hasSlot() ? slotFilePath(m_slot) : QString();
}

bool RecoveryStore::claimSlot()
{
    return claim(true);
}

bool RecoveryStore::claimEmptySlot()
{
    return claim(false);
}

bool RecoveryStore::claim(bool leftGameFirst)
{
    if (hasSlot())
        return true;
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return false;
    // The first free slot, unless a later free one holds a game a copy left
    // behind: a crash is recovered whichever slot its copy had.
    std::unique_ptr<QLockFile> firstFree;
    int firstFreeSlot = -1;
    for (int slot = 0; slot < Slots; ++slot) {
        // A folder in the file's place would fail every write.
        if (QFileInfo(slotFilePath(slot)).isDir())
            continue;
        auto lock = tryLock(slotFilePath(slot) + QStringLiteral(".lock"));
        if (!lock)
            continue;
        const QFileInfo file(slotFilePath(slot));
        if (file.exists() || file.isSymLink()) {
            if (!leftGameFirst)
                continue;
            m_lock = std::move(lock);
            m_slot = slot;
            return true;
        }
        if (!firstFree) {
            firstFree = std::move(lock);
            firstFreeSlot = slot;
        }
    }
    m_lock = std::move(firstFree);
    m_slot = firstFreeSlot;
    return hasSlot();
}

std::optional<RecoveredGame> RecoveryStore::read() const
{
    if (!hasSlot())
        return std::nullopt;
    const std::optional<QByteArray> bytes = readRegularFile(filePath(), MaxRecoveryFileSize);
    if (!bytes)
        return std::nullopt;
    return parseRecoveryFile(*bytes);
}

bool RecoveryStore::hasFile() const
{
    if (!hasSlot())
        return false;
    const QFileInfo info(filePath());
    return info.exists() || info.isSymLink();
}

QString RecoveryStore::setAside(SetAside why, const QDateTime &now)
{
    if (!hasFile())
        return QString();
    const QString kind = why == SetAside::Discarded ? QStringLiteral("discarded") : QStringLiteral("unreadable");
    const QString stem = QStringLiteral("%1-%2-%3").arg(kind, now.toString(QStringLiteral("yyyyMMdd-HHmmss")))
                             .arg(m_slot + 1);
    QDir folder(m_folder);
    QString aside = folder.filePath(stem + QStringLiteral(".json"));
    for (int n = 2; QFileInfo(aside).exists() || QFileInfo(aside).isSymLink(); ++n)
        aside = folder.filePath(QStringLiteral("%1-%2.json").arg(stem).arg(n));
    // A rename keeps a link or a pipe as it is, without opening it.
    if (!QFile::rename(filePath(), aside)) {
        qWarning() << "could not set the recovery file aside" << filePath();
        return QString();
    }
    if (why == SetAside::Discarded)
        forgetOldDiscardedGames(now);
    return aside;
}

void RecoveryStore::forgetOldDiscardedGames(const QDateTime &now) const
{
    // Newest first, by the date the name holds.
    const QFileInfoList discarded = QDir(m_folder).entryInfoList({QStringLiteral("discarded-*.json")},
                                                                QDir::Files | QDir::System | QDir::Hidden,
                                                                QDir::Name | QDir::Reversed);
    const QDateTime oldest = now.addDays(-DiscardedGameDays);
    for (qsizetype i = 0; i < discarded.size(); ++i) {
        const QFileInfo &game = discarded.at(i);
        const QDateTime setAsideAt = QDateTime::fromString(game.fileName().mid(10, 15),
                                                           QStringLiteral("yyyyMMdd-HHmmss"));
        if (i >= KeptDiscardedGames || !setAsideAt.isValid() || setAsideAt < oldest)
            QFile::remove(game.filePath());
    }
}

bool RecoveryStore::write(const RecoveredGame &game)
{
    return hasSlot() && writeCrashSafe(filePath(), recoveryFileBytes(game));
}

bool RecoveryStore::remove()
{
    if (!hasSlot())
        return true;
    return QFile::remove(filePath()) || !QFile::exists(filePath());
}

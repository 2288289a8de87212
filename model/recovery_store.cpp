#include "recovery_store.h"

#include "crash_safe_write.h"

#include <QDir>
#include <QFile>
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

QString RecoveryStore::filePath() const
{
    return hasSlot() ? slotFilePath(m_slot) : QString();
}

bool RecoveryStore::claimSlot()
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
        auto lock = tryLock(slotFilePath(slot) + QStringLiteral(".lock"));
        if (!lock)
            continue;
        if (QFile::exists(slotFilePath(slot))) {
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
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte more than a recovery file may have tells a larger file.
    return parseRecoveryFile(file.read(MaxRecoveryFileSize + 1));
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

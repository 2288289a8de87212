#pragma once

#include "recovery_file.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// The recovery file of this copy of the program. Copies running at the same
// time each hold a slot of their own in the folder, a file guarded by a lock
// file, and never read, write or remove another copy's. The lock of a copy
// that died is taken over, and with it the game it left.
class RecoveryStore
{
public:
    static constexpr int Slots = 8;

    explicit RecoveryStore(const QString &folder);
    // Lets the slot go; its file stays for the next run.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // The program's data folder, which the saved-games list never shows.
    static QString standardFolder();

    QString folder() const { return m_folder; }

    // Takes a slot no running copy holds, one with a game left in it first.
    // False when the folder cannot be made or every slot is held; the store
    // then keeps nothing.
    bool claimSlot();
    bool hasSlot() const { return m_slot >= 0; }
    int slot() const { return m_slot; }
    // The slot's recovery file; empty without a slot.
    QString filePath() const;

    // The game the file holds; no value without a slot, without a file or
    // for a file that is no whole recovery file.
    std::optional<RecoveredGame> read() const;
    // Crash-safe: at every moment the file holds the old game or the new one.
    bool write(const RecoveredGame &game);
    // True when no file is left.
    bool remove();

private:
    QString slotFilePath(int slot) const;

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    int m_slot = -1;
};

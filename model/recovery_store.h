#pragma once

#include "recovery_file.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// The recovery file of this copy of the program. Copies running at the same
// time each hold a slot of their own in the folder, a file guarded by a lock
// file, and never read, write or remove another copy's. The lock of a copy
// that died is taken over, and with it the game it left.
//
// A game left behind is never simply deleted: one the presenter declines
// is set aside in the folder as "discarded-<date>-<slot>.json" (the last
// few are kept for a week), and a file that cannot be read (damaged, cut
// short, from a later version, a pipe where the file should be) as
// "unreadable-<date>-<slot>.json", which the program never removes.
class RecoveryStore
{
public:
    static constexpr int Slots = 8;
    static constexpr int KeptDiscardedGames = 5;
    static constexpr int DiscardedGameDays = 7;

    enum class SetAside { Discarded, Unreadable };

    explicit RecoveryStore(const QString &folder);
    // Lets the slot go; its file stays for the next run.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // The program's data folder, which the saved-games list never shows.
    static QString standardFolder();

    QString folder() const { return m_folder; }

    // Takes a slot no running copy holds, one with a game left in it first.
    // A slot whose file's place holds a folder is passed over. False when
    // the folder cannot be made or every slot is held; the store then keeps
    // nothing.
    bool claimSlot();
    // Takes a slot no running copy holds and no game was left in, for a
    // run that had none at its start: a game left behind waits for the
    // next start's question.
    bool claimEmptySlot();
    bool hasSlot() const { return m_slot >= 0; }
    // Lets the slot go, its file left as it is.
    void releaseSlot();
    int slot() const { return m_slot; }
    // The slot's recovery file; empty without a slot.
    QString filePath() const;

    // The game the file holds; no value without a slot, without a file or
    // for a file that is no whole recovery file. Only a plain file is read,
    // and never waited for.
    std::optional<RecoveredGame> read() const;
    // Something, readable or not, is in the slot file's place.
    bool hasFile() const;
    // Moves the slot's file aside under its date (see above); the path it
    // went to, or empty when it could not be moved (it then stays).
    QString setAside(SetAside why, const QDateTime &now = QDateTime::currentDateTime());
    // Crash-safe: at every moment the file holds the old game or the new one.
    bool write(const RecoveredGame &game);
    // True when no file is left.
    bool remove();

private:
    QString slotFilePath(int slot) const;
    bool claim(bool leftGameFirst);
    void forgetOldDiscardedGames(const QDateTime &now) const;

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    int m_slot = -1;
};
